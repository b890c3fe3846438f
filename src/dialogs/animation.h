#pragma once
// Animate: one of seven small animations played on a host's label, step by step,
// inside the call. The label is reached by member name: Caption, ForeColor, FontSize
// and Refresh. After every step the call waits 1 / Speed seconds with Delay's busy
// wait, refreshes the label and lets the thread's window messages through.
#include <cstdint>

#include "host/host_value.h"
#include "dialogs/dialog_services.h"
#include "util/system_services.h"

namespace pelikar::dialogs {

struct AnimationServices {
  util::Clock& clock;
  MessagePump& pump;
  RandomSource& random;
  util::MessageBoxes& messages;  // for an effect that does not exist
};

// Effects: 1 scrolling text, 2 the same in random colours, 3 growing font, 4 the same
// in random colours, 5 red, 6 green, 7 blue pulse. min and max bound the loop (font
// sizes for 3 and 4); a 0 stands for 10 and 16 respectively and is written back.
// True when the animation ran, or when the effect does not exist (a message box says
// so); False when Speed is 0 or NaN (before anything else) or when the label failed a
// step (it keeps what the last complete step left).
bool Animate(host::HostObject& label, std::int16_t effect, float speed, std::int16_t& min,
             std::int16_t& max, AnimationServices& services) noexcept;

}  // namespace pelikar::dialogs
