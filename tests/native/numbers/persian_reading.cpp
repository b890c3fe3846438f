#include "persian_reading.h"

#include <algorithm>

#include "encoding/unicode_view.h"

namespace pelikar::test {
namespace {

// The presentation forms of a letter stand in one run: isolated, final, then initial
// and medial for the letters that join on both sides. From the Unicode charts of the
// Arabic Presentation Forms-A and -B blocks, for the letters of the Persian alphabet.
struct FormRun {
  char32_t first;
  int count;
  char32_t letter;
};

constexpr FormRun kFormRuns[] = {
    {0xFE81, 2, 0x0622},  // alef with madda
    {0xFE89, 4, 0x0626},  // yeh with hamza
    {0xFE8D, 2, 0x0627},  // alef
    {0xFE8F, 4, 0x0628},  // beh
    {0xFE95, 4, 0x062A},  // teh
    {0xFE99, 4, 0x062B},  // theh
    {0xFE9D, 4, 0x062C},  // jeem
    {0xFEA1, 4, 0x062D},  // hah
    {0xFEA5, 4, 0x062E},  // khah
    {0xFEA9, 2, 0x062F},  // dal
    {0xFEAB, 2, 0x0630},  // thal
    {0xFEAD, 2, 0x0631},  // reh
    {0xFEAF, 2, 0x0632},  // zain
    {0xFEB1, 4, 0x0633},  // seen
    {0xFEB5, 4, 0x0634},  // sheen
    {0xFEB9, 4, 0x0635},  // sad
    {0xFEBD, 4, 0x0636},  // dad
    {0xFEC1, 4, 0x0637},  // tah
    {0xFEC5, 4, 0x0638},  // zah
    {0xFEC9, 4, 0x0639},  // ain
    {0xFECD, 4, 0x063A},  // ghain
    {0xFED1, 4, 0x0641},  // feh
    {0xFED5, 4, 0x0642},  // qaf
    {0xFEDD, 4, 0x0644},  // lam
    {0xFEE1, 4, 0x0645},  // meem
    {0xFEE5, 4, 0x0646},  // noon
    {0xFEE9, 4, 0x0647},  // heh
    {0xFEED, 2, 0x0648},  // waw
    {0xFB56, 4, 0x067E},  // peh
    {0xFB7A, 4, 0x0686},  // tcheh
    {0xFB8A, 2, 0x0698},  // jeh
    {0xFB8E, 4, 0x06A9},  // keheh
    {0xFB92, 4, 0x06AF},  // gaf
    {0xFBFC, 4, 0x06CC},  // farsi yeh
};

constexpr char32_t kLamAlefIsolated = 0xFEFB, kLamAlefFinal = 0xFEFC;

// Latin letters and digits, which a bidirectional display keeps left to right.
bool IsLeftToRight(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string LetterShown(char32_t character) {
  if (character == kLamAlefIsolated || character == kLamAlefFinal) return Utf8(0x0644) + Utf8(0x0627);
  const auto* run = std::find_if(std::begin(kFormRuns), std::end(kFormRuns), [&](const FormRun& r) {
    return character >= r.first && character < r.first + static_cast<char32_t>(r.count);
  });
  return Utf8(run == std::end(kFormRuns) ? character : run->letter);
}

std::string ReadNivo(CodeView visual) {
  std::string logical(visual.rbegin(), visual.rend());
  for (auto run = logical.begin(); run != logical.end();) {
    auto end = std::find_if_not(run, logical.end(), IsLeftToRight);
    std::reverse(run, end);
    run = end == logical.end() ? end : end + 1;
  }
  std::string letters;
  for (char code : logical) {
    letters += LetterShown(encoding::UnicodeOf(encoding::CodePage::Nivo, static_cast<Byte>(code)));
  }
  return letters;
}

}  // namespace pelikar::test
