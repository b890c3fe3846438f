#include "input/host_field.h"

#include <charconv>

#include "common/run_time_error.h"
#include "common/text_number.h"

namespace pelikar::input {
namespace {

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
  CodeString operator()(const control::HostValue::Object&) const {
    throw RunTimeError(kTypeMismatch);
  }
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
  double operator()(const control::HostValue::Object&) const { throw RunTimeError(kTypeMismatch); }
};

}  // namespace

CodeString TextOf(const control::HostValue& value) {
  return std::visit(TextVisitor{}, value.storage());
}

double NumberOf(const control::HostValue& value) {
  return std::visit(NumberVisitor{}, value.storage());
}

bool HasRoomFor(HostField& field, std::size_t count, const control::Properties& properties) {
  if (NumberOf(properties.environment) != 0) return true;
  const std::int32_t maxLength = field.MaxLength();
  return maxLength == 0 ||
         static_cast<std::int64_t>(field.Text().size() + count) <= std::int64_t{maxLength};
}

bool HostField::LockedIfAny() {
  try {
    return Locked();
  } catch (const RunTimeError& error) {
    if (error.number() != kMemberNotSupported) throw;
    return false;
  }
}

bool HostField::RemoveSelection() {
  // Asking first spares a field without a selection a write (and, through IDispatch,
  // a call) on every key.
  if (TextOf(object_.Get("SelText")).empty()) return false;
  ClearSelection();
  return true;
}

}  // namespace pelikar::input
