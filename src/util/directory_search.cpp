#include "util/directory_search.h"

namespace pelikar::util {
namespace {

constexpr std::uint32_t kExcludedUnlessAsked =
    kHiddenAttribute | kSystemAttribute | kVolumeAttribute | kDirectoryAttribute;

constexpr CodeView kEverything = "*.*";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsBareDrive(CodeView name) { return name.size() == 2 && name[1] == ':'; }

}  // namespace

bool MaskAdmits(SearchMask mask, std::uint32_t attributes) {
  const auto asked = static_cast<std::uint32_t>(mask);
  return (attributes & kExcludedUnlessAsked & ~asked) == 0;
}

CodeString SearchPattern(CodeView name) {
  CodeString pattern(name);
  if (!name.empty() && (IsSeparator(name.back()) || IsBareDrive(name))) pattern += kEverything;
  return pattern;
}

CodeView LastPart(CodeView pattern) {
  const std::size_t end = pattern.find_last_of("\\/:");
  return end == CodeView::npos ? pattern : pattern.substr(end + 1);
}

CodeString VolumeRoot(CodeView name) {
  if (name.size() >= 2 && name[1] == ':') return CodeString(name.substr(0, 2)) + "\\";
  if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) {
    // \\server\share\: the root ends after the second part.
    std::size_t end = name.find_first_of("\\/", 2);
    if (end != CodeView::npos) end = name.find_first_of("\\/", end + 1);
    CodeString root(name.substr(0, end));
    return root + "\\";
  }
  return {};
}

CodeString FindFirst(FileSystem& files, CodeView name, SearchMask mask) {
  if (mask == SearchMask::kVolume) return files.VolumeLabel(VolumeRoot(name));
  if (name.empty()) return {};
  const CodeString pattern = SearchPattern(name);
  const CodeView namePattern = LastPart(pattern);
  // Only wildcard names are checked again: a plain name found is the name asked for,
  // under whichever of its names (long or short) the caller used.
  const bool checkName = HasWildcards(namePattern);
  const CaseFold& fold = files.NameCase();
  CodeString found;
  files.FindEntries(pattern, [&](const DirectoryEntry& entry) {
    if (!MaskAdmits(mask, entry.attributes)) return true;
    if (checkName && !WildcardMatch(namePattern, entry.name, fold)) return true;
    found = entry.name;
    return false;
  });
  return found;
}

CodeString VolLabel(FileSystem& files, CodeView driveName) {
  return FindFirst(files, driveName, SearchMask::kVolume);
}

bool DirExist(FileSystem& files, CodeView dirName) {
  return !FindFirst(files, dirName, SearchMask::kDirectories).empty();
}

bool FileExist(FileSystem& files, CodeView fileName) {
  return !FindFirst(files, fileName, SearchMask::kFiles).empty();
}

}  // namespace pelikar::util
