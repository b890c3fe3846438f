#pragma once
// The on-screen keyboard as data: its 66 key buttons with their places, the captions
// that each caption set writes on them and the key each one simulates, and the
// places, fonts and texts of the dialog's other controls. Lengths are twips, the
// unit of the dialog's design, in its client area (6480 by 2895).
#include <array>
#include <cstdint>
#include <string_view>

#include "common/code_string.h"

namespace pelikar::dialogs {

struct TwipsBox {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
};

inline constexpr int kKeyCount = 66;

// The buttons that do more than simulate a key.
inline constexpr int kBackSpKey = 13;
inline constexpr int kCopyKey = 28;  // puts the text on the clipboard; shows a picture
inline constexpr int kLeftShiftKey = 41;
inline constexpr int kRightShiftKey = 52;
inline constexpr int kSpaceKey = 57;  // its caption is the Persian word for space bar
inline constexpr int kEscKey = 62;
inline constexpr int kOkKey = 63;
inline constexpr int kClearKey = 64;
inline constexpr int kEnKey = 65;

struct KeyButton {
  TwipsBox box;
  // A caption that never changes ("BackSp", "Esc"...); empty for the character keys,
  // the space bar, the blank key and the copy button.
  std::string_view fixed;
  // What each caption set writes on the button: the US key's character (Latin), a
  // Nivo code (Persian, Shifted). 0 where the set leaves the button as it is.
  char latin;
  Byte persian;
  Byte shifted;
  // The virtual key the button simulates; 0 for one that types nothing.
  Byte keyCode;
  std::string_view tip;  // the hover text; empty for none
};

extern const std::array<KeyButton, kKeyCount> kKeyGrid;

// The key code of button index (KeyCodes); an index outside 0-65 raises Subscript
// out of range.
Byte KeyCodeOf(int index);

// Whether the button's caption is drawn in the glyph font (the character keys and the
// space bar) rather than the Latin font of the named keys.
constexpr bool HasGlyphCaption(const KeyButton& key) {
  return key.persian != 0 || key.keyCode == ' ';
}

// The dialog's other controls.
inline constexpr TwipsBox kKeyboardClient{0, 0, 6480, 2895};
inline constexpr TwipsBox kCapsBox{105, 1245, 720, 360};
inline constexpr TwipsBox kTextBox{15, 2520, 6450, 375};
inline constexpr TwipsBox kTitleBox{1395, 45, 3660, 345};
inline constexpr TwipsBox kHintBox{60, 2325, 6315, 210};
inline constexpr TwipsBox kPreviewBox{585, -60, 825, 525};

inline constexpr int kTextMaxLength = 70;

// Point sizes: the key captions, the text field, the title, the preview (all Nivo2),
// the Latin texts (MS Sans Serif), and the font the dialog measures text in (Nivo2).
inline constexpr double kKeyPoints = 9.75;
inline constexpr double kTextPoints = 11.25;
inline constexpr double kTitlePoints = 14.25;
inline constexpr double kPreviewPoints = 21.75;
inline constexpr double kLatinPoints = 8.25;
inline constexpr double kMeasurePoints = 12;

inline constexpr std::string_view kCapsCaption = "Caps";
inline constexpr std::string_view kCapsTip = "Stable Shift Mode";
inline constexpr std::string_view kHint =
    "Click Caps Or Shift To See Other Keys , Click BackSpace For Delete Characters";
// Keyboard-typed: the title line and the space bar's caption.
inline constexpr std::string_view kTitleTyped = "~wtJpi ;JgJdJn l,vn hsjthni~";
inline constexpr std::string_view kSpaceTyped = "~tJJhwJgJi~";

}  // namespace pelikar::dialogs
