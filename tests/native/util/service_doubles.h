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

// Each reading moves the clock on by step seconds.
class SteppingClock final : public Clock {
 public:
  SteppingClock(double start, double step) : now_(start), step_(step) {}
  double Seconds() override {
    ++readings_;
    if (failAfter_ >= 0 && readings_ > failAfter_) throw std::runtime_error("clock failed");
    const double now = now_;
    now_ += step_;
    return now;
  }
  void FailAfter(int readings) { failAfter_ = readings; }
  int readings() const { return readings_; }

 private:
  double now_;
  double step_;
  int readings_ = 0;
  int failAfter_ = -1;
};

class RecordingMessageBoxes final : public MessageBoxes {
 public:
  void Show(std::string_view text) override { shown.emplace_back(text); }
  // Recorded as "title: text" with the information icon's mark.
  void ShowInformation(std::string_view text, std::string_view title) override {
    shown.push_back("(i) " + std::string(title) + ": " + std::string(text));
  }
  std::vector<std::string> shown;
};

class FakeMachine final : public Machine {
 public:
  CodeString WindowsDirectory() override { return windowsDirectory; }
  CodeString SystemDirectory() override { return systemDirectory; }
  std::int32_t DriveType(CodeView root) override {
    asked.emplace_back(root);
    const auto found = driveTypes.find(CodeString(root));
    return found != driveTypes.end() ? found->second : 1;
  }

  CodeString windowsDirectory = "C:\\WINDOWS";
  CodeString systemDirectory = "C:\\WINDOWS\\system32";
  std::map<CodeString, std::int32_t> driveTypes;
  std::vector<CodeString> asked;
};

// Directories of entries. Like the platform, a pattern matches an entry by its long
// name or by its short alias.
class MemoryFileSystem final : public FileSystem {
 public:
  struct Entry {
    CodeString directory;  // with its final backslash: "C:\data\"
    CodeString name;
    std::uint32_t attributes = 0;
    CodeString alias;  // the short 8.3 name, if it differs
  };

  void Add(CodeString directory, CodeString name, std::uint32_t attributes,
           CodeString alias = {}) {
    entries.push_back({std::move(directory), std::move(name), attributes, std::move(alias)});
  }

  void FindEntries(CodeView pattern,
                   const std::function<bool(const DirectoryEntry&)>& visit) override {
    patterns.emplace_back(pattern);
    if (pattern.find('|') != CodeView::npos) throw RunTimeError(kBadFileName, "malformed");
    const std::size_t split = pattern.find_last_of("\\:") + 1;
    const CodeView directory = pattern.substr(0, split);
    const CodeView namePattern = pattern.substr(split);
    for (const Entry& entry : entries) {
      if (entry.directory != directory) continue;
      const bool matches = WildcardMatch(namePattern, entry.name, AsciiCaseFold()) ||
                           (!entry.alias.empty() &&
                            WildcardMatch(namePattern, entry.alias, AsciiCaseFold()));
      if (matches && !visit({entry.name, entry.attributes})) return;
    }
  }

  CodeString VolumeLabel(CodeView root) override {
    roots.emplace_back(root);
    const auto found = labels.find(CodeString(root));
    return found != labels.end() ? found->second : CodeString();
  }

  void Copy(CodeView source, CodeView target) override {
    if (failCopies) throw RunTimeError(kFileNotFound, CodeString(source));
    copies.emplace_back(CodeString(source), CodeString(target));
  }

  const CaseFold& NameCase() override { return AsciiCaseFold(); }

  std::vector<Entry> entries;
  std::map<CodeString, CodeString> labels;
  bool failCopies = false;
  std::vector<CodeString> patterns;
  std::vector<CodeString> roots;
  std::vector<std::pair<CodeString, CodeString>> copies;
};

class RecordingFontRegistry final : public FontRegistry {
 public:
  void Register(CodeView file) override { registered.emplace_back(file); }
  void BroadcastFontChange() override { ++broadcasts; }
  std::vector<CodeString> registered;
  int broadcasts = 0;
};

}  // namespace pelikar::util::test
