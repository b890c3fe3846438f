// The parts of the machine members above the platform calls: the search for the
// CD-ROM drive and the reading of paths of any length.
#include <gtest/gtest.h>

#include <string>

#include "service_doubles.h"
#include "util/drives.h"
#include "util/whole_text.h"

namespace pelikar::util {
namespace {

using test::FakeMachine;

TEST(CdDrive, TheFirstCdRomFromDToZ) {
  FakeMachine machine;
  machine.driveTypes = {{"C:\\", 5}, {"F:\\", 5}, {"E:\\", 3}, {"Z:\\", 5}};
  EXPECT_EQ(CdDrive(machine), "F:\\");
  EXPECT_EQ(machine.asked, (std::vector<CodeString>{"D:\\", "E:\\", "F:\\"}))
      << "A:, B: and C: are never asked";
  FakeMachine none;
  none.driveTypes = {{"A:\\", 5}, {"C:\\", 5}, {"D:\\", 2}};
  EXPECT_EQ(CdDrive(none), "");
  EXPECT_EQ(none.asked.back(), "Z:\\");
}

// A stand-in for GetWindowsDirectoryA: writes text when it fits (with its
// terminator), else answers the capacity it needs.
struct DirectoryCall {
  std::string text;
  int calls = 0;
  std::size_t operator()(char* buffer, std::size_t capacity) {
    ++calls;
    if (text.size() + 1 > capacity) return text.size() + 1;
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return text.size();
  }
};

TEST(ReadWholeText, PathsOfEveryLengthComeWhole) {
  for (std::size_t length : {1u, 259u, 260u, 261u, 32767u}) {
    DirectoryCall call{"C:\\" + std::string(length - 1, 'w')};
    call.text.resize(length);
    EXPECT_EQ(ReadWholeText(std::ref(call)), call.text) << length;
    EXPECT_LE(call.calls, 2) << length;
  }
}

TEST(ReadWholeText, AFailingCallGivesEmpty) {
  EXPECT_EQ(ReadWholeText([](char*, std::size_t) -> std::size_t { return 0; }), "");
  // A text that outgrows every buffer is given up, not chased for ever.
  std::size_t need = 300;
  EXPECT_EQ(ReadWholeText([&](char*, std::size_t) { return need *= 2; }), "");
}

}  // namespace
}  // namespace pelikar::util
