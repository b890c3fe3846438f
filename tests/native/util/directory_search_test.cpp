#include "util/directory_search.h"

#include <gtest/gtest.h>

#include "service_doubles.h"

namespace pelikar::util {
namespace {

using test::MemoryFileSystem;

constexpr std::uint32_t kReadOnly = kReadOnlyAttribute;
constexpr std::uint32_t kHidden = kHiddenAttribute;
constexpr std::uint32_t kSystem = kSystemAttribute;
constexpr std::uint32_t kDirectory = kDirectoryAttribute;
constexpr std::uint32_t kArchive = kArchiveAttribute;

TEST(SearchPattern, ADirectoryOrBareDriveStandsForEverythingInIt) {
  EXPECT_EQ(SearchPattern("C:/data/"), "C:/data/*.*");
  EXPECT_EQ(SearchPattern("C:"), "C:*.*");
  EXPECT_EQ(SearchPattern("C:\\data"), "C:\\data");
  EXPECT_EQ(LastPart("C:*.*"), "*.*");
  EXPECT_EQ(LastPart("a/b"), "b");
  EXPECT_EQ(LastPart("name"), "name");
}

TEST(VolumeRoot, TheRootOfTheDriveOrShare) {
  EXPECT_EQ(VolumeRoot("d:"), "d:\\");
  EXPECT_EQ(VolumeRoot("E:\\some\\dir\\file.txt"), "E:\\");
  EXPECT_EQ(VolumeRoot("\\\\server\\share\\dir"), "\\\\server\\share\\");
  EXPECT_EQ(VolumeRoot("\\\\server\\share"), "\\\\server\\share\\");
  EXPECT_EQ(VolumeRoot("relative\\dir"), "") << "the current drive";
  EXPECT_EQ(VolumeRoot(""), "");
}

class DirectorySearch : public testing::Test {
 protected:
  DirectorySearch() {
    files_.Add("C:\\data\\", ".", kDirectory);
    files_.Add("C:\\data\\", "..", kDirectory);
    files_.Add("C:\\data\\", "hidden.txt", kHidden | kArchive);
    files_.Add("C:\\data\\", "boot.ini", kSystem);
    files_.Add("C:\\data\\", "readme.txt", kArchive);
    files_.Add("C:\\data\\", "locked.txt", kReadOnly);
    files_.Add("C:\\data\\", "page.html", kArchive, "PAGE~1.HTM");
    files_.Add("C:\\data\\", "Long Directory", kDirectory, "LONGDI~1");
    files_.Add("C:\\data\\", "secret", kDirectory | kHidden);
    files_.Add("C:\\data\\", "system", kDirectory | kSystem);
    files_.Add("C:\\data\\", "DISK", kVolumeAttribute);
    files_.Add("C:\\", "data", kDirectory);
    files_.Add("C:\\empty\\", ".", kDirectory);
    files_.Add("C:\\empty\\", "..", kDirectory);
    files_.Add("C:\\hidden only\\", "h.txt", kHidden);
  }

  MemoryFileSystem files_;
};

// Hidden, system and volume entries never count; directories only when asked for.
TEST_F(DirectorySearch, FilesAreOrdinaryFilesOnly) {
  const struct {
    CodeView name;
    bool exists;
  } cases[] = {
      {"C:\\data\\locked.txt", true},
      {"C:\\data\\hidden.txt", false},
      {"C:\\data\\boot.ini", false},
      {"C:\\data", false},
      {"C:\\data\\", true},
      {"C:\\data\\*.ini", false},
      {"C:\\data\\DISK", false},
      {"C:\\empty\\*", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(FileExist(files_, c.name), c.exists) << c.name;
}

TEST_F(DirectorySearch, DirectoriesIncludeFilesButNoHiddenEntries) {
  const struct {
    CodeView name;
    bool exists;
  } cases[] = {
      {"C:\\data", true},
      {"C:\\data\\LONGDI~1", true},  // a plain name may be the short one
      {"C:\\data\\readme.txt", true},
      {"C:\\data\\secret", false},
      {"C:\\data\\system", false},
      {"C:\\data\\DISK", false},
      {"C:\\empty\\", true},  // its "." entry
      {"C:\\hidden only\\*", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(DirExist(files_, c.name), c.exists) << c.name;
}

TEST_F(DirectorySearch, TheFirstAdmittedEntryInThePlatformsOrder) {
  EXPECT_EQ(FindFirst(files_, "C:\\data\\*", SearchMask::kFiles), "readme.txt");
  EXPECT_EQ(FindFirst(files_, "C:\\data\\*", SearchMask::kDirectories), ".");
  EXPECT_EQ(FindFirst(files_, "C:\\data\\l*", SearchMask::kFiles), "locked.txt");
  EXPECT_EQ(files_.patterns.back(), "C:\\data\\l*") << "the name goes to the platform as it is";
}

// The platform matches a pattern against the short alias too, so "*.htm" finds
// page.html by its alias PAGE~1.HTM; the search keeps to long names.
TEST_F(DirectorySearch, WildcardsMatchLongNamesOnly) {
  EXPECT_FALSE(FileExist(files_, "C:\\data\\*.htm"));
  EXPECT_TRUE(FileExist(files_, "C:\\data\\*.html"));
  EXPECT_TRUE(FileExist(files_, "C:\\data\\page.*"));
  EXPECT_FALSE(DirExist(files_, "C:\\data\\LONGDI~?"));
  EXPECT_TRUE(DirExist(files_, "C:\\data\\long*"));
}

TEST_F(DirectorySearch, ErrorsOfTheSearchReachTheCaller) {
  EXPECT_THROW(FileExist(files_, "C:\\data\\a|b"), RunTimeError);
  EXPECT_THROW(DirExist(files_, "C:\\a|b\\"), RunTimeError);
}

TEST_F(DirectorySearch, TheVolumeLabelOfTheNamesDrive) {
  files_.labels["D:\\"] = "PERSIAN";
  EXPECT_EQ(VolLabel(files_, "D:\\any\\path"), "PERSIAN");
  EXPECT_EQ(VolLabel(files_, "C:\\"), "");
  EXPECT_EQ(files_.roots, (std::vector<CodeString>{"D:\\", "C:\\"}));
  EXPECT_TRUE(files_.patterns.empty()) << "a label is no directory entry";
}

}  // namespace
}  // namespace pelikar::util
