#pragma once
// The tooltip on the screen: one small top-level window per thread, which never takes
// the focus (shown without activation, topmost, not in the task bar) and, while a tip
// is set, is moved below the pointer and redrawn every 200 ms by a timer of its own.
#include "common/code_string.h"

namespace pelikar::dialogs::win32 {

inline constexpr wchar_t kTooltipClass[] = L"PelikarToolTip";

// Sets the thread's tip to keyboard-typed text (converted to Nivo here); the window
// appears at the first tick, 200 ms later. An empty text removes the window. Throws
// when the window cannot be made.
void SetTooltip(CodeView tipStr);

// The controls of a thread count themselves: when the last one goes, so does the
// thread's tip, which would otherwise stay on the screen with no one to remove it.
void TooltipUserCreated();
void TooltipUserDestroyed();

// Whether a tip window exists in any thread: its window procedure is this module's
// code, so the module must stay loaded.
bool TooltipsOpen();

}  // namespace pelikar::dialogs::win32
