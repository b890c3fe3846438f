#include "unicode/letters.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "encoding/shaping.h"
#include "encoding/unicode_view.h"

namespace pelikar::unicode {
namespace {

// The presentation forms of the Arabic letters, as Unicode lays them out: each letter's
// forms stand together, isolated, final, initial, medial (or isolated, final).
struct FormRun {
  char32_t first;
  std::uint8_t count;
  char32_t letter;
  char32_t second = 0;  // the alef of a lam-alef ligature
};
constexpr FormRun kFormRuns[] = {
    {0xFE80, 1, 0x0621}, {0xFE81, 2, 0x0622}, {0xFE83, 2, 0x0623}, {0xFE85, 2, 0x0624},
    {0xFE87, 2, 0x0625}, {0xFE89, 4, 0x0626}, {0xFE8D, 2, 0x0627}, {0xFE8F, 4, 0x0628},
    {0xFE93, 2, 0x0629}, {0xFE95, 4, 0x062A}, {0xFE99, 4, 0x062B}, {0xFE9D, 4, 0x062C},
    {0xFEA1, 4, 0x062D}, {0xFEA5, 4, 0x062E}, {0xFEA9, 2, 0x062F}, {0xFEAB, 2, 0x0630},
    {0xFEAD, 2, 0x0631}, {0xFEAF, 2, 0x0632}, {0xFEB1, 4, 0x0633}, {0xFEB5, 4, 0x0634},
    {0xFEB9, 4, 0x0635}, {0xFEBD, 4, 0x0636}, {0xFEC1, 4, 0x0637}, {0xFEC5, 4, 0x0638},
    {0xFEC9, 4, 0x0639}, {0xFECD, 4, 0x063A}, {0xFED1, 4, 0x0641}, {0xFED5, 4, 0x0642},
    {0xFED9, 4, 0x0643}, {0xFEDD, 4, 0x0644}, {0xFEE1, 4, 0x0645}, {0xFEE5, 4, 0x0646},
    {0xFEE9, 4, 0x0647}, {0xFEED, 2, 0x0648}, {0xFEEF, 2, 0x0649}, {0xFEF1, 4, 0x064A},
    {0xFEF5, 2, 0x0644, 0x0622}, {0xFEF7, 2, 0x0644, 0x0623}, {0xFEF9, 2, 0x0644, 0x0625},
    {0xFEFB, 2, 0x0644, 0x0627},
    {0xFB56, 4, 0x067E}, {0xFB7A, 4, 0x0686}, {0xFB8A, 2, 0x0698}, {0xFB8E, 4, 0x06A9},
    {0xFB92, 4, 0x06AF}, {0xFBFC, 4, 0x06CC},
};

struct Composition {
  char32_t letter, mark, composed;
};
constexpr Composition kCompositions[] = {
    {0x0627, 0x0653, 0x0622}, {0x0627, 0x0654, 0x0623}, {0x0648, 0x0654, 0x0624},
    {0x0627, 0x0655, 0x0625}, {0x064A, 0x0654, 0x0626}, {0x06D5, 0x0654, 0x06C0},
    {0x06C1, 0x0654, 0x06C2}, {0x06D2, 0x0654, 0x06D3},
};

// Bidirectional classes of ASCII, 16 a row.
constexpr std::uint8_t kAsciiClasses[128] = {
    kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kS,  kB,  kS,  kWS, kB,  kBN, kBN,
    kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kBN, kB,  kB,  kB,  kS,
    kWS, kON, kON, kET, kET, kET, kON, kON, kON, kON, kON, kES, kCS, kES, kCS, kCS,
    kEN, kEN, kEN, kEN, kEN, kEN, kEN, kEN, kEN, kEN, kCS, kON, kON, kON, kON, kON,
    kON, kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,
    kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kON, kON, kON, kON, kON,
    kON, kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,
    kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kL,  kON, kON, kON, kON, kBN,
};

bool In(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }

// Characters 128-255 of a page that are not in the Arabic block, sorted, for OtherCodeOf.
using OtherCodes = std::vector<std::pair<char32_t, Byte>>;

PageLetters Build(CodePage page, OtherCodes& others) {
  const encoding::TableSet& tables = encoding::TableSetOf(page);
  PageLetters p{};
  for (int code = 0; code < 256; ++code) {
    const auto c = static_cast<Byte>(code);
    char32_t letters[2] = {encoding::UnicodeOf(page, c), 0};
    FoldPresentationForm(letters[0], letters);
    // The Nivo code of the isolated yeh with hamza is the page's hamza.
    if (page == CodePage::Nivo && code == 140) letters[0] = kHamza;
    p.character[c] = letters[0];
    p.second[c] = letters[1];
    p.bidi[c] = BidiClassOf(letters[0]);
    const Joining first = JoiningOf(letters[0]);
    const Joining last = letters[1] != 0 ? JoiningOf(letters[1]) : first;
    p.joinsBackward[c] = JoinsBackward(first);
    p.joinsForward[c] = JoinsForward(last);
    if (p.joinsBackward[c] || p.joinsForward[c]) {
      for (int form = encoding::kInitial; form <= encoding::kIsolated; ++form) {
        if (!encoding::HasForm(tables, c, form)) continue;
        p.letterForms[c] |= 1u << form;
        if (encoding::ToForm(tables, c, form) == c) p.forms[c] |= 1u << form;
      }
    }
    if (code >= 128 && !In(letters[0], 0x0600, 0x06FF)) others.emplace_back(letters[0], c);
  }
  std::sort(others.begin(), others.end());

  // The codes the keys type come first, then any other code of the character.
  auto offer = [&](Byte code) {
    const char32_t c = p.character[code];
    if (code < 128 || !In(c, 0x0600, 0x06FF)) return;
    if (p.second[code] != 0) {
      if (p.lamAlef == 0) p.lamAlef = code;
    } else if (p.arabicBlock[c - 0x0600] == 0) {
      p.arabicBlock[c - 0x0600] = code;
    }
  };
  for (int key = 0; key < 256; ++key) offer(tables.keyMap[key]);
  for (int key = 0; key < 256; ++key) offer(tables.shiftKeyMap[key]);
  for (int code = 128; code < 256; ++code) offer(static_cast<Byte>(code));
  p.hamza = p.arabicBlock[kHamza - 0x0600];
  p.persianDigits = p.arabicBlock[0xF0] != 0;

  // Characters written with the page's code of another: the Arabic-Indic digits as the
  // Persian ones (or as ASCII digits where the page has no Persian ones), the Arabic
  // yeh and alef maksura as the Persian yeh, the Arabic kaf as keheh.
  for (int d = 0; d < 10; ++d) {
    if (!p.persianDigits) p.arabicBlock[0xF0 + d] = static_cast<Byte>('0' + d);
    p.arabicBlock[0x60 + d] = p.arabicBlock[0xF0 + d];
  }
  p.arabicBlock[0x4A] = p.arabicBlock[0x49] = p.arabicBlock[0xCC];
  p.arabicBlock[0x43] = p.arabicBlock[0xA9];
  return p;
}

struct Page {
  OtherCodes others;
  PageLetters letters;
  explicit Page(CodePage page) : letters(Build(page, others)) {}
};

const Page& PageOf(CodePage page) {
  static const Page nivo(CodePage::Nivo), ir(CodePage::Ir);
  return page == CodePage::Ir ? ir : nivo;
}

}  // namespace

Joining JoiningOf(char32_t c) {
  if (c == 0x0640 || c == 0x200D) return Joining::Causing;
  if (!In(c, 0x0620, 0x06FF)) return Joining::None;
  if (c == 0x0621 || In(c, 0x064B, 0x066D) || c == 0x0670 || In(c, 0x06D4, 0x06D4) || In(c, 0x06D6, 0x06ED) ||
      In(c, 0x06F0, 0x06F9) || In(c, 0x06FD, 0x06FE) || c == 0x0674) {
    return Joining::None;
  }
  if (In(c, 0x0622, 0x0625) || c == 0x0627 || c == 0x0629 || In(c, 0x062F, 0x0632) || c == 0x0648 ||
      In(c, 0x0671, 0x0673) || In(c, 0x0675, 0x0677) || In(c, 0x0688, 0x0699) || c == 0x06C0 ||
      In(c, 0x06C3, 0x06CB) || c == 0x06CD || c == 0x06CF || In(c, 0x06D2, 0x06D3) || c == 0x06D5 ||
      In(c, 0x06EE, 0x06EF)) {
    return Joining::Right;
  }
  return Joining::Dual;
}

BidiClass BidiClassOf(char32_t c) {
  if (c < 128) return static_cast<BidiClass>(kAsciiClasses[c]);
  if (c == 0x00A0) return kCS;
  if (c == 0x200B || c == 0x200C || c == 0x200D) return kBN;
  if (c == 0x200E) return kL;
  if (c == 0x200F) return kR;
  if (c == 0x061C) return kAL;
  if (!In(c, 0x0600, 0x06FF)) return kON;
  if (In(c, 0x0600, 0x0605) || In(c, 0x0660, 0x0669) || In(c, 0x066B, 0x066C) || c == 0x06DD) return kAN;
  if (In(c, 0x06F0, 0x06F9)) return kEN;
  if (c == 0x0609 || c == 0x060A || c == 0x066A) return kET;
  if (c == 0x060C) return kCS;
  if (c == 0x0606 || c == 0x0607 || c == 0x060E || c == 0x060F || c == 0x06DE || c == 0x06E9) return kON;
  if (In(c, 0x0610, 0x061A) || In(c, 0x064B, 0x065F) || c == 0x0670 || In(c, 0x06D6, 0x06DC) ||
      In(c, 0x06DF, 0x06E4) || In(c, 0x06E7, 0x06E8) || In(c, 0x06EA, 0x06ED)) {
    return kNSM;
  }
  return kAL;
}

int FoldPresentationForm(char32_t c, char32_t letters[2]) {
  if (!In(c, 0xFB50, 0xFEFC)) return 0;
  for (const FormRun& run : kFormRuns) {
    if (c >= run.first && c < run.first + run.count) {
      letters[0] = run.letter;
      letters[1] = run.second;
      return run.second != 0 ? 2 : 1;
    }
  }
  return 0;
}

char32_t Compose(char32_t letter, char32_t mark) {
  if (!In(mark, 0x0653, 0x0655)) return 0;
  for (const Composition& c : kCompositions) {
    if (c.letter == letter && c.mark == mark) return c.composed;
  }
  return 0;
}

const PageLetters& LettersOf(CodePage page) { return PageOf(page).letters; }

bool OtherCodeOf(CodePage page, char32_t c, Byte& code) {
  const OtherCodes& others = PageOf(page).others;
  const auto found = std::lower_bound(others.begin(), others.end(), std::make_pair(c, Byte{0}));
  if (found == others.end() || found->first != c) return false;
  code = found->second;
  return true;
}

}  // namespace pelikar::unicode
