#pragma once
// The typing engine: what the control's FarsiDown and FarsiPress members do with the
// key events a host forwards from its own fields, and the keyboard state the engine
// shares with the control object.
//
// Host fields are reached only by member name (host::HostObject). KeyboardState and
// SavedSelStart belong to the thread: every control instance of a thread types into
// that thread's keyboard, and a host with forms on several threads keeps them apart.
// The code page's tables are handed to every routine that shapes.
#include <array>
#include <cstdint>

#include "common/code_string.h"
#include "host/host_value.h"
#include "encoding/tables.h"
#include "host/host_value.h"
#include "util/system_services.h"

namespace pelikar::input {

// One byte per virtual-key code, in the layout of the system's keyboard-state table
// (0x80 key down, 0x01 toggled on).
using KeyboardTable = std::array<Byte, 256>;

inline constexpr int kNumLockKey = 144;
inline constexpr int kScrollLockKey = 145;  // its entry is the Persian typing mode

// The calling thread's keyboard-state table.
class KeyboardStateTable {
 public:
  virtual ~KeyboardStateTable() = default;
  virtual KeyboardTable Get() = 0;
  virtual void Set(const KeyboardTable& table) = 0;
};

// What typing needs of the control's properties, read from them for each key.
struct TypingSettings {
  encoding::CodePage codePage = encoding::CodePage::Nivo;
  // Host text fields are treated as multi-line (the control's MultiLine).
  bool multiLine = false;
  // The kind of host (the control's Environment, as the host stores it): a Visual
  // Basic host (0) leaves MaxLength to the control. A value that is no number makes
  // the fields that ask fail with a type mismatch.
  host::HostValue environment = std::int16_t{0};
  // Persian typing (the control's Farsi, which follows Scroll Lock).
  bool persian = true;
};

// What typing asks of the machine: the keyboard state, and message boxes for the date
// masks' failure messages and the credit box on Ctrl+S.
struct TypingServices {
  KeyboardStateTable& keyboard;
  util::MessageBoxes& messages;
};

// The host field's key-down event: reads the keyboard state (its Scroll Lock entry is
// the Persian mode from then on), keeps date fields in their masks and types the
// Persian character of the key into text-like fields. True for text-like fields; False
// for date, integer and float fields and after any failure (which it traps).
bool FarsiDown(host::HostObject& field, std::int16_t keyCode, std::int16_t shift,
               const TypingSettings& settings, TypingServices& services);

// The host field's key-press event: leaves in keyAscii the character the field should
// insert itself (0 for none): numeric and date fields are filtered, Persian mode
// cancels every character, Enter splits the line of a multi-line text field. True for
// general fields; False for date, integer and float fields and after any failure.
bool FarsiPress(host::HostObject& field, std::int16_t& keyAscii, const TypingSettings& settings,
                TypingServices& services);

// The caret insertion routines (FarsiDown calls them; the on-screen keyboard calls
// InsertKey with its own field). They type the key at SavedSelStart (InsertKey) or at
// the field's caret (InsertKeyMultiLine) with the code page's tables, and trap
// nothing: a failing field raises its RunTimeError to the caller.
void InsertKey(host::HostObject& field, std::int16_t keyCode, std::int16_t shift,
               const encoding::TableSet& tables, util::MessageBoxes& messages);
void InsertKeyMultiLine(host::HostObject& field, std::int16_t keyCode, std::int16_t shift,
                        const encoding::TableSet& tables);

// KeyboardState as the last key-down (or SyncScrollLock) left it: the control's Farsi
// property reads its Scroll Lock entry without asking the system again.
const KeyboardTable& KeyboardState();
bool ScrollLockOn();
// Whether KeyboardState has been read from the system yet: before the thread's first
// key-down or property load it holds nothing but zeros.
bool KeyboardStateFetched();

// Makes the thread's Scroll Lock entry show the Persian mode (the control's Farsi
// property and the loading of its properties): fetches the current table, changes
// entry 145 only (0xFF on, 0 off) and writes it back.
void SyncScrollLock(bool farsi, KeyboardStateTable& keyboard);

// The remembered insertion point of InsertKey. The control resets it to 0 when it
// reads its properties; the on-screen keyboard moves it with its caret keys.
std::int32_t SavedSelStart();
void SetSavedSelStart(std::int32_t position);
void ResetSavedSelStart();

}  // namespace pelikar::input
