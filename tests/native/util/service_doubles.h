#pragma once
// In-memory stand-ins for the system services, recording what they are asked.
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "util/system_services.h"

namespace pelikar::util::test {

// Folds a-z to A-Z and leaves every other code alone.
inline const CaseFold& AsciiCaseFold() {
  static const CaseFold fold = [] {
    CaseFold table{};
    for (unsigned code = 0; code < table.size(); ++code) {
      table[code] = static_cast<Byte>(code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code);
    }
    return table;
  }();
  return fold;
}

// Each reading moves the clock on by step seconds; past failAfter readings it fails.
class SteppingClock final : public Clock {
 public:
  SteppingClock(double start, double step) : now_(start), step_(step) {}
  double Seconds() override {
    if (++readings_ > failAfter_ && failAfter_ >= 0) throw std::runtime_error("clock failed");
    now_ += step_;
    return now_ - step_;
  }
  void FailAfter(int readings) { failAfter_ = readings; }
  int readings() const { return readings_; }

 private:
  double now_, step_;
  int readings_ = 0, failAfter_ = -1;
};

// Records "text", or "(i) title: text" for an information box.
struct RecordingMessageBoxes final : MessageBoxes {
  void Show(std::string_view text) override { shown.emplace_back(text); }
  void ShowInformation(std::string_view text, std::string_view title) override {
    shown.push_back("(i) " + std::string(title) + ": " + std::string(text));
  }
  std::vector<std::string> shown;
};

struct FakeMachine final : Machine {
  CodeString WindowsDirectory() override { return windowsDirectory; }
  CodeString SystemDirectory() override { return windowsDirectory + "\\system32"; }
  std::int32_t DriveType(CodeView root) override {
    asked.emplace_back(root);
    return driveTypes.contains(CodeString(root)) ? driveTypes[CodeString(root)] : 1;
  }
  CodeString windowsDirectory = "C:\\WINDOWS";
  std::map<CodeString, std::int32_t> driveTypes;
  std::vector<CodeString> asked;
};

// A file system that finds no entries and records the copies it is asked for.
struct MemoryFileSystem final : FileSystem {
  void FindEntries(CodeView, const std::function<bool(const DirectoryEntry&)>&) override {}
  CodeString VolumeLabel(CodeView) override { return {}; }
  void Copy(CodeView source, CodeView target) override { copies.emplace_back(CodeString(source), CodeString(target)); }
  const CaseFold& NameCase() override { return AsciiCaseFold(); }
  std::vector<std::pair<CodeString, CodeString>> copies;
};

struct RecordingFontRegistry final : FontRegistry {
  void Register(CodeView file) override { registered.emplace_back(file); }
  void BroadcastFontChange() override { ++broadcasts; }
  std::vector<CodeString> registered;
  int broadcasts = 0;
};

}  // namespace pelikar::util::test
