#pragma once
// The calendar's names as typed on the keyboard, and their Nivo form, which is what
// the calendar texts must give.
#include <array>

#include "common/code_string.h"
#include "encoding/convert_text.h"

namespace pelikar::calendar::test {

// Sunday first.
inline constexpr std::array<const char*, 7> kTypedWeekdays = {
    "~d;akfi~", "~n,akfi~", "~si akfi~", "~]ihvakfi~", "~`k[ akfi~", "~[lui~", "~akfi~",
};

inline CodeString Nivo(CodeView typed) { return encoding::ConvertText(typed, encoding::CodePage::Nivo); }

}  // namespace pelikar::calendar::test
