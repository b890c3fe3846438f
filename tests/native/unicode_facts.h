#pragma once
// Facts about Unicode characters from ICU, an independent source for checking the
// tables: which letter a presentation form shows, in which form, and how letters join.
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <map>
#include <string>
#include <utility>

namespace pelikar::test {


// The letter a presentation form shows: the first character of its compatibility
// composition (U+FE91 ARABIC LETTER BEH INITIAL FORM shows U+0628). Any other
// character is itself.
inline char32_t BaseLetter(char32_t c) {
  const bool presentationForm = (c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
  if (!presentationForm) return c;
  // Compatibility composition: the letter itself, with its hamza or madda.
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
  const icu::UnicodeString decomposed = nfkc->normalize(icu::UnicodeString(static_cast<UChar32>(c)), status);
  return U_SUCCESS(status) && decomposed.length() > 0 ? static_cast<char32_t>(decomposed.char32At(0)) : c;
}

inline std::string NameOf(char32_t c) {
  char name[128] = {};
  UErrorCode status = U_ZERO_ERROR;
  u_charName(static_cast<UChar32>(c), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
  return name;
}

// The form a presentation form shows, numbered as the code pages number them
// (1 initial, 2 medial, 3 final, 4 isolated); 4 for anything that is no form.
inline int ShownForm(char32_t c) {
  const std::string name = NameOf(c);
  const auto endsWith = [&](const std::string& suffix) {
    return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
  };
  if (endsWith(" INITIAL FORM")) return 1;
  if (endsWith(" MEDIAL FORM")) return 2;
  if (endsWith(" FINAL FORM")) return 3;
  return 4;
}

// The presentation form of a letter, or 0 if Unicode has none.
inline char32_t PresentationForm(char32_t letter, int form) {
  static const auto forms = [] {
    std::map<std::pair<char32_t, int>, char32_t> table;
    for (char32_t c = 0xFB50; c <= 0xFEFC; ++c) {
      const std::string name = NameOf(c);
      if (name.find(" FORM") == std::string::npos || name.find("LIGATURE") != std::string::npos) continue;
      table.emplace(std::make_pair(BaseLetter(c), ShownForm(c)), c);
    }
    return table;
  }();
  const auto found = forms.find({letter, form});
  return found == forms.end() ? 0 : found->second;
}

enum class Joining { None, Right, Dual, Causing };
// How a letter joins its neighbours.
inline Joining JoiningOf(char32_t letter) {
  switch (u_getIntPropertyValue(static_cast<UChar32>(letter), UCHAR_JOINING_TYPE)) {
    case U_JT_DUAL_JOINING: return Joining::Dual;
    case U_JT_RIGHT_JOINING: return Joining::Right;
    case U_JT_JOIN_CAUSING: return Joining::Causing;
    default: return Joining::None;
  }
}

}  // namespace pelikar::test
