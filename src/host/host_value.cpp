#include "host/host_value.h"

#include <charconv>

#include <cmath>
#include <limits>

#include "common/run_time_error.h"
#include "common/text_number.h"

namespace pelikar::host {
namespace {

std::int32_t RoundToLong(double number) {
  // nearbyint rounds half to even in the default rounding mode, as the run-time does.
  const double rounded = std::nearbyint(number);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw RunTimeError(kOverflow);
  }
  return static_cast<std::int32_t>(rounded);
}

struct ToLongVisitor {
  std::int32_t operator()(std::monostate) const { return 0; }
  std::int32_t operator()(bool value) const { return value ? -1 : 0; }
  std::int32_t operator()(std::int16_t value) const { return value; }
  std::int32_t operator()(std::int32_t value) const { return value; }
  std::int32_t operator()(double value) const { return RoundToLong(value); }
  std::int32_t operator()(const CodeString& text) const {
    const auto number = ParseTextNumber(text);
    if (!number) throw RunTimeError(kTypeMismatch);
    return RoundToLong(*number);
  }
  std::int32_t operator()(const HostValue::Object&) const { throw RunTimeError(kTypeMismatch); }
};

template <class Number>
CodeString Written(Number number) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  return CodeString(digits, end);
}

struct TextVisitor {
  CodeString operator()(std::monostate) const { return {}; }
  CodeString operator()(bool value) const { return value ? "True" : "False"; }
  CodeString operator()(std::int16_t value) const { return Written(value); }
  CodeString operator()(std::int32_t value) const { return Written(value); }
  CodeString operator()(double value) const { return Written(value); }
  CodeString operator()(const CodeString& text) const { return text; }
  CodeString operator()(const HostValue::Object&) const { throw RunTimeError(kTypeMismatch); }
};

struct NumberVisitor {
  double operator()(std::monostate) const { return 0; }
  double operator()(bool value) const { return value ? -1 : 0; }
  double operator()(std::int16_t value) const { return value; }
  double operator()(std::int32_t value) const { return value; }
  double operator()(double value) const { return value; }
  double operator()(const CodeString& text) const {
    if (const auto number = ParseTextNumber(text)) return *number;
    throw RunTimeError(kTypeMismatch);
  }
  double operator()(const HostValue::Object&) const { throw RunTimeError(kTypeMismatch); }
};

}  // namespace

std::int32_t HostValue::ToLong() const { return std::visit(ToLongVisitor{}, storage_); }

CodeString TextOf(const HostValue& value) { return std::visit(TextVisitor{}, value.storage()); }

double NumberOf(const HostValue& value) { return std::visit(NumberVisitor{}, value.storage()); }

bool TruthOf(const HostValue& value) {
  if (const auto* text = std::get_if<CodeString>(&value.storage())) {
    CodeString folded;
    for (char c : TrimSpaces(*text)) folded.push_back(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (folded == "true") return true;
    if (folded == "false") return false;
  }
  return NumberOf(value) != 0;
}

}  // namespace pelikar::host
