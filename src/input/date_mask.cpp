#include "input/date_mask.h"

#include <exception>

#include "common/run_time_error.h"
#include "input/host_field.h"
#include "input/typing.h"

namespace pelikar::input {
namespace {

constexpr DateMask kShamsi{"____/__/__", "error in shamsi input"};
constexpr DateMask kShamsi2{"__/__/__", "error in shamsi2 input"};
constexpr DateMask kMiladi{"__/__/____", "error in miladi input"};

// Positions are carets: caret c stands after the c-th character. A separator at index
// i leaves the caret i + 1 right after it and the caret i just before it.
bool IsSeparatorAt(CodeView text, std::size_t index) {
  return index < text.size() && text[index] == '/';
}
bool JustAfterSeparator(const DateMask& mask, std::size_t caret) {
  return caret > 0 && IsSeparatorAt(mask.mask, caret - 1);
}
bool JustBeforeSeparator(const DateMask& mask, std::size_t caret) {
  return IsSeparatorAt(mask.mask, caret);
}

// Substrings that, like the host's string functions, are empty past the end.
CodeView Part(CodeView text, std::size_t from, std::size_t count = CodeView::npos) {
  return from < text.size() ? text.substr(from, count) : CodeView{};
}

// A text whose separators moved is reset; one short of its last place gets it back;
// one too long is cut.
CodeString Normalised(const DateMask& mask, CodeView text) {
  CodeString result(text);
  for (std::size_t i = 0; i < mask.mask.size(); ++i) {
    if (mask.mask[i] == '/' && !IsSeparatorAt(text, i)) result = mask.mask;
  }
  if (Part(result, mask.mask.size() - 1, 1) != "_") result += '_';
  if (result.size() > mask.mask.size()) result.resize(mask.mask.size());
  return result;
}

void PutDigit(CodeString& text, std::size_t index, int key) {
  if (index >= text.size()) throw RunTimeError(kInvalidProcedureCall);
  text[index] = static_cast<char>(key);
}

}  // namespace

const DateMask* MaskOf(TagKind tag) {
  switch (tag) {
    case TagKind::Shamsi:
      return &kShamsi;
    case TagKind::Shamsi2:
      return &kShamsi2;
    case TagKind::Miladi:
      return &kMiladi;
    default:
      return nullptr;
  }
}

std::optional<MaskedText> EditMasked(const DateMask& mask, CodeView original, std::int32_t caret,
                                     const KeyStroke& stroke) {
  CodeString text = Normalised(mask, original);
  if (stroke.ctrl || (stroke.shift && (stroke.key == kLeftKey || stroke.key == kRightKey))) {
    return std::nullopt;
  }
  const auto p = static_cast<std::size_t>(caret < 0 ? 0 : caret);
  const std::size_t length = mask.mask.size();
  std::size_t next = p;
  if (stroke.key >= '0' && stroke.key <= '9') {
    if (JustBeforeSeparator(mask, p)) {
      PutDigit(text, p + 1, stroke.key);  // the first place after the separator
      next = p + 2;
    } else if (p < length) {
      PutDigit(text, p, stroke.key);
      next = JustBeforeSeparator(mask, p + 1) ? p + 2 : p + 1;
    }
  } else if (stroke.key == kBackspaceKey && p > 0) {
    // One "_" more than the text had: the field's own Backspace takes the one left of
    // the new caret, so the digit left of the caret (or of the separator just left of
    // it) turns into "_".
    if (JustAfterSeparator(mask, p)) {
      text = CodeString(Part(text, 0, p - 2)) + CodeString(Part(mask.mask, p - 3, 2)) +
             CodeString(Part(text, p - 1));
      next = p - 1;
    } else {
      text = CodeString(Part(text, 0, p - 1)) + "__" + CodeString(Part(text, p));
    }
  } else if (stroke.key == kDeleteKey) {
    // A mask character for the field's own Delete to take: the text stays, the caret
    // moves on by one.
    text = CodeString(Part(text, 0, p + 1)) + CodeString(Part(mask.mask, p, 1)) +
           CodeString(Part(text, p + 1));
    next = p + 1;
  }
  return MaskedText{std::move(text), static_cast<std::int32_t>(next)};
}

void TypeIntoMask(HostField& field, const DateMask& mask, const KeyStroke& stroke,
                  util::MessageBoxes& messages) {
  try {
    const CodeString text = field.Text();
    const std::int32_t caret = field.SelStart();
    SetSavedSelStart(caret);
    // A locked box neither takes digits nor does its own Backspace and Delete, which
    // the mask's edits count on: its date stays as it is.
    if (field.LockedIfAny()) return;
    if (const auto edited = EditMasked(mask, text, caret, stroke)) {
      field.SetText(edited->text);
      field.SetSelStart(edited->caret);
    }
  } catch (const std::exception&) {
    messages.Show(mask.failure);
  }
}

}  // namespace pelikar::input
