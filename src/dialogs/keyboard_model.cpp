#include "dialogs/keyboard_model.h"

#include "encoding/convert_text.h"

namespace pelikar::dialogs {
namespace {

constexpr int kEnterKey = 13;
constexpr int kBackspaceCharacter = 8;
constexpr int kReturnCharacter = 13;

CodeString Nivo(std::string_view typed) {
  return encoding::ConvertText(typed, encoding::CodePage::Nivo);
}

}  // namespace

KeyboardModel::KeyboardModel() : title_(Nivo(kTitleTyped)) {
  for (std::size_t i = 0; i < kKeyGrid.size(); ++i) captions_[i] = CodeString(kKeyGrid[i].fixed);
  captions_[kSpaceKey] = Nivo(kSpaceTyped);
  ShowPersian();
}

void KeyboardModel::ShowLatin() {
  for (std::size_t i = 0; i < kKeyGrid.size(); ++i) {
    if (kKeyGrid[i].latin != 0) captions_[i] = CodeString(1, kKeyGrid[i].latin);
  }
}

void KeyboardModel::ShowPersian() {
  for (std::size_t i = 0; i < kKeyGrid.size(); ++i) {
    if (kKeyGrid[i].persian != 0) captions_[i] = CodeString(1, CodeChar(kKeyGrid[i].persian));
  }
}

void KeyboardModel::ShowShifted() {
  for (std::size_t i = 0; i < kKeyGrid.size(); ++i) {
    if (kKeyGrid[i].shifted != 0) captions_[i] = CodeString(1, CodeChar(kKeyGrid[i].shifted));
  }
}

KeyPress KeyboardModel::ButtonDown(int key) {
  const CodeString& caption = Caption(key);
  if (caption.size() == 1) preview_ = caption;
  switch (key) {
    case kCopyKey:
      return {KeyPress::Action::Copy};
    case kLeftShiftKey:
    case kRightShiftKey:
      ShowShifted();
      return {};
    case kEscKey:
      return {KeyPress::Action::Cancel};
    case kOkKey:
      return {KeyPress::Action::Accept};
    case kClearKey:
      return {KeyPress::Action::Clear};
    case kEnKey:
      ShowLatin();
      return {};
    default:
      return {KeyPress::Action::Type, KeyCodeOf(key), static_cast<std::int16_t>(caps_ ? 1 : 0)};
  }
}

void KeyboardModel::ButtonUp(int /*key*/) {
  preview_.assign(1, ' ');
  if (!caps_) ShowPersian();
}

void KeyboardModel::CapsClicked(bool down) {
  caps_ = down;
  if (caps_) {
    ShowShifted();
  } else {
    ShowPersian();
  }
}

FieldKey FieldKeyDown(int keyCode, bool persian, std::size_t textLength) {
  if (keyCode == kEnterKey) return FieldKey::Accept;
  return persian && textLength < kTextMaxLength ? FieldKey::Type : FieldKey::Pass;
}

int FieldKeyPress(int character, bool persian) {
  if (persian && ((character >= 32 && character <= 128) || character == kBackspaceCharacter)) {
    return 0;
  }
  return character == kReturnCharacter ? 0 : character;
}

}  // namespace pelikar::dialogs
