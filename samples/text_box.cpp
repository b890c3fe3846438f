#include "text_box.h"

#include <algorithm>
#include <utility>

namespace pelikar::samples {
namespace {

constexpr short kBackspace = 8;
constexpr short kEnd = 35;
constexpr short kHome = 36;
constexpr short kLeft = 37;
constexpr short kRight = 39;
constexpr short kDelete = 46;

}  // namespace

void TextBox::Fill(std::wstring text, long position) {
  text_ = std::move(text);
  Select(position, 0);
}

void TextBox::Select(long start, long length) {
  const long size = static_cast<long>(text_.size());
  selStart_ = std::clamp(start, 0L, size);
  selLength_ = std::clamp(length, 0L, size - selStart_);
}

void TextBox::ReplaceSelection(const std::wstring& text) {
  text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), text);
  selStart_ += static_cast<long>(text.size());
  selLength_ = 0;
}

void TextBox::OwnKeyDown(short key) {
  const long length = static_cast<long>(text_.size());
  switch (key) {
    case kDelete:
      if (selLength_ == 0 && selStart_ < length) selLength_ = 1;
      ReplaceSelection(L"");
      break;
    case kLeft: selStart_ = std::max(0L, selStart_ - 1); break;
    case kRight: selStart_ = std::min(length, selStart_ + 1); break;
    case kHome: selStart_ = 0; break;
    case kEnd: selStart_ = length; break;
    default: break;
  }
  selLength_ = 0;
}

void TextBox::OwnKeyPress(short character) {
  if (character == 0) return;
  if (character == kBackspace) {
    if (selLength_ == 0 && selStart_ > 0) {
      --selStart_;
      selLength_ = 1;
    }
    ReplaceSelection(L"");
    return;
  }
  // The character of the ANSI code page, as the box would insert it.
  char code = static_cast<char>(character);
  wchar_t wide = 0;
  MultiByteToWideChar(CP_ACP, 0, &code, 1, &wide, 1);
  ReplaceSelection(std::wstring(1, wide));
}

}  // namespace pelikar::samples
