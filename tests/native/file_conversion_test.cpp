#include "encoding/file_conversion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "common/run_time_error.h"
#include "encoding/convert_text.h"
#include "encoding/operations.h"
#include "test_support.h"

namespace pelikar::encoding {
namespace {

using test::ErrorNumberOf;
using test::ReadFile;
using test::WriteFile;

// What one line of the file becomes: the line is in visual order already.
CodeString ConvertedLine(const CodeString& line) {
  return En_Ir_To_nivo(Reverse(line)) + "\r\n";
}

class FileConversion : public testing::Test {
 protected:
  std::string Convert(const std::string& input) {
    WriteFile(dir / "in.txt", input);
    EXPECT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt"));
    return ReadFile(dir / "out.txt");
  }

  // Only the files the test made: no partial output left behind.
  std::vector<std::string> FilesInDir() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir dir;
};

TEST_F(FileConversion, ConvertsEachLineByItself) {
  const struct {
    const char* name;
    std::string input;
    std::string expected;
  } cases[] = {
      {"empty file", "", ""},
      {"one line, no terminator", "~f~", ConvertedLine("~f~")},
      {"CR alone ends a line", "~f~\r~ff~", ConvertedLine("~f~") + ConvertedLine("~ff~")},
      {"empty lines", "\r\n\r\r\n", "\r\n\r\n\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(test::CodesOf(Convert(c.input)), test::CodesOf(c.expected)) << c.name;
}

// Lines longer than the read size, terminators split across reads, and many short
// lines convert as each would alone.
TEST_F(FileConversion, StreamsLinesOfAnyLength) {
  std::mt19937 random(9);
  const std::string keys = "~~fhgd kls 12 abJ\n";
  std::string input, expected;
  std::vector<std::size_t> lengths = {std::size_t{3} << 20, 1, (std::size_t{1} << 20) - 1, 5000};
  for (int n = 0; n < 20000; ++n) lengths.push_back(random() % 60);
  for (std::size_t n = 0; n < lengths.size(); ++n) {
    std::string line(lengths[n], ' ');
    for (char& c : line) c = keys[random() % keys.size()];
    if (!line.empty() && line[0] == '\n') line[0] = 'x';  // after a lone CR it would end that line
    input += line + (n % 3 == 0 ? "\r" : "\r\n");
    expected += ConvertedLine(line);
  }
  EXPECT_TRUE(Convert(input) == expected);
}

TEST_F(FileConversion, ReportsProgressUpToTheWholeFile) {
  WriteFile(dir / "in.txt", std::string(3 << 20, 'a'));
  std::uint64_t lastDone = 0, total = 0;
  En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt", [&](std::uint64_t done, std::uint64_t of) {
    EXPECT_GE(done, lastDone);
    lastDone = done;
    total = of;
  });
  EXPECT_EQ(lastDone, 3u << 20);
  EXPECT_EQ(total, 3u << 20);
}

TEST_F(FileConversion, ConvertingAFileOntoItselfKeepsItsContent) {
  WriteFile(dir / "text.txt", "~fff~\r\n");
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "text.txt", dir / "text.txt"));
  EXPECT_EQ(ReadFile(dir / "text.txt"), ConvertedLine("~fff~"));

  WriteFile(dir / "a.txt", "~fff~\r\n");
  std::error_code error;
  std::filesystem::create_hard_link(dir / "a.txt", dir / "b.txt", error);
  if (error) GTEST_SKIP() << "no hard links here";
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "a.txt", dir / "b.txt"));
  EXPECT_EQ(ReadFile(dir / "b.txt"), ConvertedLine("~fff~"));
  EXPECT_EQ(ReadFile(dir / "a.txt"), "~fff~\r\n") << "the other name keeps the original";
}

TEST_F(FileConversion, FailuresRaiseTheFileErrorAndLeaveTheOutputAlone) {
  WriteFile(dir / "out.txt", "precious");
  WriteFile(dir / "in.txt", "~f~");
  std::filesystem::create_directory(dir / "folder");

  EXPECT_EQ(ErrorNumberOf([&] { En_Ir_FileToNivo(dir / "missing.txt", dir / "out.txt"); }),
            kFileNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { En_Ir_FileToNivo(dir / "in.txt", dir / "no" / "out.txt"); }),
            kPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { En_Ir_FileToNivo(dir / "in.txt", dir / "folder"); }),
            kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { En_Ir_FileToNivo(dir / "in.txt", ""); }), kBadFileName);
  EXPECT_EQ(ErrorNumberOf([&] { En_Ir_FileToNivo("", dir / "out.txt"); }), kBadFileName);
  // A directory opens but cannot be read: the failure comes mid-way.
  EXPECT_NE(ErrorNumberOf([&] { En_Ir_FileToNivo(dir / "folder", dir / "out.txt"); }), 0);

  EXPECT_EQ(ReadFile(dir / "out.txt"), "precious");
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"folder", "in.txt", "out.txt"}));

  std::filesystem::permissions(dir / "out.txt", std::filesystem::perms::owner_read);
  EXPECT_EQ(ErrorNumberOf([&] { En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt"); }),
            kPathFileAccessError)
      << "a read-only output is refused";
  std::filesystem::permissions(dir / "out.txt", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(ReadFile(dir / "out.txt"), "precious");
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"folder", "in.txt", "out.txt"}));

  try {
    En_Ir_FileToNivo(dir / "in.txt", dir / "no" / "out.txt");
  } catch (const RunTimeError& failure) {
    EXPECT_EQ(std::string(failure.what()).find(".tmp"), std::string::npos)
        << "the message names the output asked for: " << failure.what();
  }
}

#ifndef _WIN32
// The output replaces the file a link names, keeps its permissions, and goes straight
// into what cannot be replaced (a pipe), leaving the link and the pipe what they were.
TEST_F(FileConversion, WritesThroughLinksAndIntoPipesAndKeepsPermissions) {
  namespace fs = std::filesystem;
  WriteFile(dir / "in.txt", "~f~");
  WriteFile(dir / "private.txt", "old");
  fs::permissions(dir / "private.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(dir / "private.txt", dir / "link.txt");
  ASSERT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "link.txt"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFile(dir / "private.txt"), ConvertedLine("~f~"));
  EXPECT_EQ(fs::status(dir / "private.txt").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);

  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadFile(dir / "pipe"); });
  bool converted = false;
  try {
    converted = En_Ir_FileToNivo(dir / "in.txt", dir / "pipe");
  } catch (const RunTimeError&) {
  }
  if (!converted) std::ofstream{dir / "pipe"};  // lets the reader go
  reader.join();
  EXPECT_TRUE(converted);
  EXPECT_EQ(received, ReadFile(dir / "private.txt"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"in.txt", "link.txt", "pipe", "private.txt"}));

  // A link to a file not made yet, and a name as long as a name can be.
  fs::create_symlink("made.txt", dir / "new-link.txt");
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "new-link.txt"));
  EXPECT_TRUE(fs::is_symlink(dir / "new-link.txt"));
  EXPECT_EQ(ReadFile(dir / "made.txt"), ConvertedLine("~f~"));
  const std::string longest(255, 'x');
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / longest));
  EXPECT_EQ(ReadFile(dir / longest), ConvertedLine("~f~"));
}
#endif

}  // namespace
}  // namespace pelikar::encoding
