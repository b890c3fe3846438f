#pragma once
// The control's surroundings in memory, recording into one log what the control does
// with them: the container, the parent form, the thread's keyboard-state table and
// the property bag.
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "control/container.h"
#include "control/persistence.h"
#include "input/typing.h"

namespace pelikar::control::test {

using Log = std::vector<std::string>;

// A host object with named properties; reading a property it lacks raises 438.
class RecordingForm final : public host::HostObject {
 public:
  explicit RecordingForm(Log& log) : log_(log) {}
  host::HostValue Get(std::string_view member) override {
    log_.push_back("form.Get " + std::string(member));
    const auto found = properties.find(std::string(member));
    if (found == properties.end()) throw RunTimeError(kMemberNotSupported, std::string(member));
    return found->second;
  }
  void Put(std::string_view member, const host::HostValue& value) override {
    log_.push_back("form.Put " + std::string(member));
    properties[std::string(member)] = value;
  }
  host::HostValue Call(std::string_view member, std::span<const host::HostValue>) override {
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }

  std::map<std::string, host::HostValue> properties{{"Caption", CodeString("Form1")}};

 private:
  Log& log_;
};

class RecordingContainer final : public Container {
 public:
  explicit RecordingContainer(Log& log) : form(std::make_shared<RecordingForm>(log)), log_(log) {}
  bool UserMode() override { return userMode; }
  host::HostValue AmbientFont() override {
    log_.push_back("ambient Font");
    return ambientFont;
  }
  void PropertyChanged(std::string_view property) override {
    log_.push_back("changed " + std::string(property));
  }
  host::HostValue::Object ParentForm() override { return form; }

  bool userMode = true;
  host::HostValue ambientFont = CodeString("Tahoma");  // stands for the font object
  std::shared_ptr<RecordingForm> form;

 private:
  Log& log_;
};

// The thread's table, as the system keeps it.
class RecordingKeyboard final : public input::KeyboardStateTable {
 public:
  explicit RecordingKeyboard(Log& log) : log_(log) {}
  input::KeyboardTable Get() override {
    log_.push_back("keyboard.Get");
    return table;
  }
  void Set(const input::KeyboardTable& newTable) override {
    log_.push_back("keyboard.Set");
    table = newTable;
  }

  input::KeyboardTable table{};

 private:
  Log& log_;
};

class RecordingBag final : public PropertyBag {
 public:
  explicit RecordingBag(Log& log) : log_(log) {}
  host::HostValue Read(std::string_view name, const host::HostValue& defaultValue) override {
    log_.push_back("bag.Read " + std::string(name));
    return values.Read(name, defaultValue);
  }
  void Write(std::string_view name, const host::HostValue& value) override {
    log_.push_back("bag.Write " + std::string(name));
    values.Write(name, value);
  }

  MemoryPropertyBag values;

 private:
  Log& log_;
};

// A value as "Integer 0", "Boolean True", "String 1", "Double 1.5", "Empty".
inline std::string Shown(const host::HostValue& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return "Empty"; }
    std::string operator()(bool b) const { return b ? "Boolean True" : "Boolean False"; }
    std::string operator()(std::int16_t n) const { return "Integer " + std::to_string(n); }
    std::string operator()(std::int32_t n) const { return "Long " + std::to_string(n); }
    std::string operator()(double n) const {
      std::ostringstream text;
      text << "Double " << n;
      return text.str();
    }
    std::string operator()(const CodeString& text) const { return "String " + text; }
    std::string operator()(const host::HostValue::Object& o) const { return o ? "Object" : "Nothing"; }
  };
  return std::visit(Visitor{}, value.storage());
}

}  // namespace pelikar::control::test
