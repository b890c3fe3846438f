#include "control/persistence.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

#include "common/run_time_error.h"

namespace pelikar::control {
namespace {

constexpr std::string_view kSignature = "PKPB";
constexpr Byte kVersion = 1;

// The kind byte of each value, in the order of host::HostValue::Storage. Numbers are
// little-endian whatever the machine, so saved forms move between machines.
enum Kind : Byte { kEmpty, kBoolean, kInteger, kLong, kDouble, kText };

void PutNumber(std::string& bytes, std::uint64_t number, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(CodeChar((number >> (8 * i)) & 0xFF));
}

struct ValueWriter {
  std::string& bytes;
  void operator()(std::monostate) const { bytes.push_back(kEmpty); }
  void operator()(bool value) const {
    bytes.push_back(kBoolean);
    bytes.push_back(value ? 1 : 0);
  }
  void operator()(std::int16_t value) const {
    bytes.push_back(kInteger);
    PutNumber(bytes, static_cast<std::uint16_t>(value), 2);
  }
  void operator()(std::int32_t value) const {
    bytes.push_back(kLong);
    PutNumber(bytes, static_cast<std::uint32_t>(value), 4);
  }
  void operator()(double value) const {
    bytes.push_back(kDouble);
    PutNumber(bytes, std::bit_cast<std::uint64_t>(value), 8);
  }
  void operator()(const CodeString& text) const {
    bytes.push_back(kText);
    PutNumber(bytes, text.size(), 4);
    bytes += text;
  }
  void operator()(const host::HostValue::Object&) const {
    throw RunTimeError(kTypeMismatch, "an object cannot be saved with the control");
  }
};

// Reads Serialize's bytes front to back; running short is a malformed save.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  std::string_view Take(std::size_t count) {
    if (count > bytes_.size()) Malformed();
    const std::string_view taken = bytes_.substr(0, count);
    bytes_.remove_prefix(count);
    return taken;
  }
  std::uint64_t Number(int size) {
    const std::string_view taken = Take(static_cast<std::size_t>(size));
    std::uint64_t number = 0;
    for (int i = size - 1; i >= 0; --i) number = number << 8 | CodeAt(taken, i);
    return number;
  }
  host::HostValue Value() {
    switch (Number(1)) {
      case kEmpty: return {};
      case kBoolean: return Number(1) != 0;
      case kInteger: return static_cast<std::int16_t>(Number(2));
      case kLong: return static_cast<std::int32_t>(Number(4));
      case kDouble: return std::bit_cast<double>(Number(8));
      case kText: return CodeString(Take(Number(4)));
      default: Malformed();
    }
  }
  bool AtEnd() const { return bytes_.empty(); }

  [[noreturn]] static void Malformed() {
    throw RunTimeError(kInvalidProcedureCall, "the saved properties are damaged");
  }

 private:
  std::string_view bytes_;
};

}  // namespace

host::HostValue MemoryPropertyBag::Read(std::string_view name, const host::HostValue& defaultValue) {
  const auto found = std::find_if(values_.begin(), values_.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  return found != values_.end() ? found->second : defaultValue;
}

void MemoryPropertyBag::Write(std::string_view name, const host::HostValue& value) {
  const auto found = std::find_if(values_.begin(), values_.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  if (found != values_.end()) {
    found->second = value;
  } else {
    values_.emplace_back(name, value);
  }
}

std::string MemoryPropertyBag::Serialize() const {
  std::string bytes(kSignature);
  bytes.push_back(CodeChar(kVersion));
  PutNumber(bytes, values_.size(), 2);
  for (const auto& [name, value] : values_) {
    if (name.size() > std::numeric_limits<Byte>::max()) {
      throw RunTimeError(kInvalidProcedureCall, "a property name is too long");
    }
    PutNumber(bytes, name.size(), 1);
    bytes += name;
    std::visit(ValueWriter{bytes}, value.storage());
  }
  return bytes;
}

MemoryPropertyBag MemoryPropertyBag::Parse(std::string_view bytes) {
  Reader reader(bytes);
  if (reader.Take(kSignature.size()) != kSignature || reader.Number(1) != kVersion) {
    Reader::Malformed();
  }
  MemoryPropertyBag bag;
  for (auto count = reader.Number(2); count > 0; --count) {
    const std::string_view name = reader.Take(reader.Number(1));
    bag.Write(name, reader.Value());
  }
  if (!reader.AtEnd()) Reader::Malformed();
  return bag;
}

}  // namespace pelikar::control
