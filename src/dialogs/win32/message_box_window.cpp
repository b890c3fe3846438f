#include "dialogs/win32/message_box_window.h"

#include <stdexcept>
#include <vector>

#include "dialogs/win32/glyph_font.h"
#include "dialogs/win32/modal_loop.h"
#include "dialogs/win32/screen.h"

namespace pelikar::dialogs::win32 {
namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr int kLineWeight = FW_NORMAL;
constexpr int kButtonWeight = FW_BOLD;

// The maker's credit: a small grey label at the box's top-left corner, partly
// outside the client area.
constexpr COLORREF kCreditInk = RGB(128, 128, 128);
constexpr wchar_t kCreditText[] = L"Pelikar";
constexpr wchar_t kCreditFace[] = L"Tahoma";
constexpr double kCreditPoints = 6;
constexpr RECT kCreditTwips = {-45, -30, -45 + 765, -30 + 165};
constexpr int kCreditId = 99;
constexpr int kFirstLineId = 1000;

struct Box {
  const MessageLayout& layout;
  HBRUSH face;
  std::int16_t result = 0;
};

Box* BoxOf(HWND window) { return reinterpret_cast<Box*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

bool IsButtonId(int id) { return id >= kFirstButtonId && id < kFirstButtonId + kMessageButtonCount; }

LRESULT CALLBACK BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Box* box = BoxOf(window);
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
      if (box != nullptr) return reinterpret_cast<LRESULT>(box->face);
      break;
    case WM_CTLCOLORSTATIC:
      if (box != nullptr) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const bool credit = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kCreditId;
        SetTextColor(dc, credit ? kCreditInk : kInk);
        SetBkColor(dc, kFace);
        return reinterpret_cast<LRESULT>(box->face);
      }
      break;
    case WM_COMMAND: {
      // Only a button answers the box: Escape's IDCANCEL and Enter's IDOK do not.
      const int id = LOWORD(wParam);
      if (box != nullptr && IsButtonId(id) && HIWORD(wParam) == BN_CLICKED) {
        box->result = box->layout.buttons[id - kFirstButtonId].value;
      }
      return 0;
    }
    case WM_CLOSE:
      return 0;  // the box closes through its buttons alone
  }
  return DefDlgProcW(window, message, wParam, lParam);
}

// An empty dialog of the box's class; the children come from the layout.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* head = reinterpret_cast<DLGTEMPLATE*>(words.data());
  head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  words.push_back(0);  // no menu
  for (const wchar_t* c = kMessageBoxClass; *c != 0; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  words.push_back(0);  // no title yet
  return words;
}

class MessageBoxWindow {
 public:
  MessageBoxWindow(const MessageRequest& request, const ScreenScale& scale)
      : scale_(scale),
        lineFont_(scale, kMessageLinePoints, kLineWeight),
        buttonFont_(scale, kMessageButtonPoints, kButtonWeight),
        creditFont_(CreateLatinFont(scale, kCreditFace, kCreditPoints)),
        face_(CreateSolidBrush(kFace)),
        measure_(lineFont_.handle(), scale),
        layout_(LayOutMessage(request, measure_)),
        box_{layout_, face_.as<HBRUSH>()} {}

  std::int16_t Run(const BoxPlacement& placement) {
    if (!EnsureWindowClass(kMessageBoxClass, BoxProcedure, DLGWINDOWEXTRA)) {
      throw std::runtime_error("the message box's window class could not be registered");
    }
    ModalOwner owner;
    const std::vector<WORD> dialog = DialogTemplate();
    // No dialog procedure: the class's own procedure is the box's, and it finds the
    // box's state in the window's user data.
    window_ = CreateDialogIndirectParamW(
        CodeModule(), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner.get(), nullptr,
        0);
    if (window_ == nullptr) throw std::runtime_error("the message box could not be made");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box_));
    try {
      Build(placement);
    } catch (...) {
      DestroyWindow(window_);
      throw;
    }
    owner.Disable();
    ShowWindow(window_, SW_SHOW);
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(firstButton_), TRUE);
    RunModalLoop(window_, [this] { return box_.result != 0; });
    owner.Enable();
    DestroyWindow(window_);
    return box_.result;
  }

 private:
  void Build(const BoxPlacement& placement) {
    const int width = scale_.PixelsX(layout_.width);
    const int height = scale_.PixelsY(layout_.height);
    const POINT at = PlacedAt(scale_, placement, width, height);
    SetWindowPos(window_, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(window_, layout_.caption.c_str());
    EnableMenuItem(GetSystemMenu(window_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    const int lineHeight = measure_.LineHeight();
    int id = kFirstLineId;
    for (const MessageLine& line : layout_.lines) {
      RECT at = PixelsOf(scale_, line.left, line.top, line.width, 0);
      at.right += 1;  // a pixel lost to rounding must not clip the last letter
      at.bottom = at.top + lineHeight;
      SetWindowTextA(CreateChild(window_, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, id++, at,
                           lineFont_.handle()),
                     line.text.c_str());
    }
    for (int i = 0; i < kMessageButtonCount; ++i) {
      const MessageButton& button = layout_.buttons[i];
      if (!button.shown) continue;
      const bool first = i == layout_.firstButton;
      const HWND child = CreateChild(
          window_, L"BUTTON", WS_TABSTOP | (first ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
          kFirstButtonId + i,
          PixelsOf(scale_, button.left, button.top, kMessageButtonWidth, kMessageButtonHeight),
          buttonFont_.handle());
      SetWindowTextA(child, button.caption.c_str());
      if (first) firstButton_ = child;
    }
    const HWND credit =
        CreateChild(window_, L"STATIC", SS_LEFT | SS_NOPREFIX, kCreditId,
              PixelsOf(scale_, kCreditTwips.left, kCreditTwips.top,
                        kCreditTwips.right - kCreditTwips.left,
                        kCreditTwips.bottom - kCreditTwips.top),
              creditFont_.as<HFONT>());
    SetWindowTextW(credit, kCreditText);
    SendMessageW(window_, DM_SETDEFID, kFirstButtonId + layout_.firstButton, 0);
  }

  const ScreenScale& scale_;
  GlyphFont lineFont_;
  GlyphFont buttonFont_;
  GdiObject creditFont_;
  GdiObject face_;
  FontMeasure measure_;
  MessageLayout layout_;
  Box box_;
  HWND window_ = nullptr;
  HWND firstButton_ = nullptr;
};

}  // namespace

std::int16_t ShowMessage(const MessageRequest& request, const BoxPlacement& placement) {
  const ScreenScale scale;
  MessageBoxWindow box(request, scale);
  return box.Run(placement);
}

}  // namespace pelikar::dialogs::win32
