// The table engine against the step-by-step engine it replaces, over random lines:
// letters typed in and out of tilde spans, digits, Latin, controls, CR and LF, and
// codes 128-255 of every joining class, from empty lines to very long ones.
// PELIKAR_EQUALITY_LINES sets the number of lines for each code page (default 20000).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "encoding/convert_text.h"
#include "encoding/file_conversion.h"
#include "encoding/visual_shaper.h"
#include "test_support.h"

namespace pelikar::encoding {
namespace {

std::size_t LineCount() {
  const char* count = std::getenv("PELIKAR_EQUALITY_LINES");
  return count ? std::strtoull(count, nullptr, 10) : 20000;
}

class RandomLines {
 public:
  explicit RandomLines(unsigned seed) : random_(seed) {}

  // Each line has a mix of its own, so that runs of one kind of code happen too.
  CodeString Next() {
    std::size_t length = Below(8) == 0 ? 0 : Below(200);
    if (Below(500) == 0) length = 2000 + Below(70000);
    unsigned weights[6];
    for (unsigned& w : weights) w = 1 + Below(10);
    CodeString line;
    for (std::size_t i = 0; i < length; ++i) line.push_back(CodeChar(Pick(weights)));
    return line;
  }

 private:
  unsigned Below(std::size_t n) { return static_cast<unsigned>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_)); }
  unsigned Pick(const unsigned (&weights)[6]) {
    unsigned total = 0;
    for (unsigned w : weights) total += w;
    unsigned roll = Below(total), kind = 0;
    while (roll >= weights[kind]) roll -= weights[kind++];
    switch (kind) {
      case 0: return 'a' + Below(26);  // keys of letters
      case 1: return 33 + Below(94);   // any printable key: digits, signs, capitals
      case 2: return Below(2) ? ' ' : '~';
      case 3: return 128 + Below(128);
      case 4: return Below(32);        // controls, CR and LF among them
      default: return '0' + Below(10);
    }
  }
  std::mt19937_64 random_;
};

class TableEngine : public testing::TestWithParam<CodePage> {};

TEST_P(TableEngine, ConvertsEveryLineAsTheStepByStepEngine) {
  const TableSet& tables = TableSetOf(GetParam());
  RandomLines lines(static_cast<unsigned>(GetParam()) + 15);
  for (std::size_t n = LineCount(), i = 0; i < n; ++i) {
    const CodeString line = lines.Next();
    const CodeString expected = ShapeWholeText(tables, line);
    const CodeString got = ConvertText(line, GetParam());
    if (got != expected) {
      ADD_FAILURE() << "line " << i << " of " << line.size() << " codes: "
                    << testing::PrintToString(test::CodesOf(line.substr(0, 60)));
      ASSERT_EQ(test::CodesOf(got), test::CodesOf(expected));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, TableEngine, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) { return info.param == CodePage::Nivo ? "Nivo" : "Ir"; });

// The file conversion: each line (ended by CR or CR LF) converts as a text of its own,
// already in visual order. The lines are cut at every kind of end; files of one short
// line come first, then files of a few blocks, one with a line longer than a block.
TEST(TableEngineFiles, ConvertEveryLineAsTheStepByStepEngine) {
  const char* ends[] = {"\r", "\r\n", "\n"};
  RandomLines lines(51);
  std::mt19937 random(7);
  test::TempDir dir;
  std::size_t left = LineCount();
  for (int file = 0; left > 0; ++file) {
    CodeString input;
    const bool small = file < 200;
    while (left > 0 && input.size() < (small ? 1u : 2u << 20)) {
      CodeString line = lines.Next().substr(0, small ? 60 : CodeString::npos);
      if (file == 200 && input.empty()) line.assign(3u << 20, 'f').push_back('~');
      input += line + ends[random() % 3];
      --left;
    }
    CodeString expected, line;
    for (std::size_t i = 0; i < input.size(); ++i) {
      if (input[i] != '\r') {
        line.push_back(input[i]);
        if (i + 1 < input.size()) continue;
      } else if (i + 1 < input.size() && input[i + 1] == '\n') {
        ++i;
      }
      expected += ShapeWholeText(NivoTableSet(), CodeString(line.rbegin(), line.rend())) + "\r\n";
      line.clear();
    }
    test::WriteFile(dir / "in.txt", input);
    ASSERT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt"));
    ASSERT_TRUE(test::ReadFile(dir / "out.txt") == expected) << "file " << file;
  }
}

}  // namespace
}  // namespace pelikar::encoding
