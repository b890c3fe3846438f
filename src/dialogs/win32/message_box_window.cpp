#include "dialogs/win32/message_box_window.h"

#include <stdexcept>
#include <vector>

#include "dialogs/win32/glyph_font.h"
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

HWND Child(HWND parent, const wchar_t* windowClass, DWORD style, int id, const RECT& at,
           HFONT font) {
  const HWND child = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, at.left,
                                     at.top, at.right - at.left, at.bottom - at.top, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     CodeModule(), nullptr);
  if (child == nullptr) throw std::runtime_error("a control of the message box could not be made");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

RECT PixelRect(const ScreenScale& scale, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height) {
  const int x = scale.PixelsX(left);
  const int y = scale.PixelsY(top);
  return {x, y, x + scale.PixelsX(width), y + scale.PixelsY(height)};
}

// A GDI object deleted when the box goes.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object) : object_(object) {
    if (object_ == nullptr) throw std::runtime_error("out of GDI resources");
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { DeleteObject(object_); }
  template <class Handle>
  Handle as() const {
    return static_cast<Handle>(object_);
  }

 private:
  HGDIOBJ object_;
};

class MessageBoxWindow {
 public:
  MessageBoxWindow(const MessageRequest& request, const ScreenScale& scale)
      : scale_(scale),
        lineFont_(scale, kMessageLinePoints, kLineWeight),
        buttonFont_(scale, kMessageButtonPoints, kButtonWeight),
        creditFont_(CreateFontW(scale.FontHeight(kCreditPoints), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                kCreditFace)),
        face_(CreateSolidBrush(kFace)),
        measure_(lineFont_.handle(), scale),
        layout_(LayOutMessage(request, measure_)),
        box_{layout_, face_.as<HBRUSH>()} {}

  std::int16_t Run(const BoxPlacement& placement) {
    if (!EnsureWindowClass(kMessageBoxClass, BoxProcedure, DLGWINDOWEXTRA)) {
      throw std::runtime_error("the message box's window class could not be registered");
    }
    const HWND owner = GetActiveWindow();
    const std::vector<WORD> dialog = DialogTemplate();
    // No dialog procedure: the class's own procedure is the box's, and it finds the
    // box's state in the window's user data.
    window_ = CreateDialogIndirectParamW(
        CodeModule(), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner, nullptr, 0);
    if (window_ == nullptr) throw std::runtime_error("the message box could not be made");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box_));
    try {
      Build(placement);
    } catch (...) {
      DestroyWindow(window_);
      throw;
    }
    // Enabled again before the box goes, so that the owner takes the activation back.
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(firstButton_), TRUE);
    WaitForAnswer();
    if (disableOwner) EnableWindow(owner, TRUE);
    DestroyWindow(window_);
    return box_.result;
  }

 private:
  void Build(const BoxPlacement& placement) {
    const int width = scale_.PixelsX(layout_.width);
    const int height = scale_.PixelsY(layout_.height);
    const int left = placement.centred ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2
                                       : scale_.PixelsX(placement.left);
    const int top = placement.centred ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2
                                      : scale_.PixelsY(placement.top);
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(window_, layout_.caption.c_str());
    EnableMenuItem(GetSystemMenu(window_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    const int lineHeight = measure_.LineHeight();
    int id = kFirstLineId;
    for (const MessageLine& line : layout_.lines) {
      RECT at = PixelRect(scale_, line.left, line.top, line.width, 0);
      at.right += 1;  // a pixel lost to rounding must not clip the last letter
      at.bottom = at.top + lineHeight;
      SetWindowTextA(Child(window_, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, id++, at,
                           lineFont_.handle()),
                     line.text.c_str());
    }
    for (int i = 0; i < kMessageButtonCount; ++i) {
      const MessageButton& button = layout_.buttons[i];
      if (!button.shown) continue;
      const bool first = i == layout_.firstButton;
      const HWND child = Child(
          window_, L"BUTTON", WS_TABSTOP | (first ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
          kFirstButtonId + i,
          PixelRect(scale_, button.left, button.top, kMessageButtonWidth, kMessageButtonHeight),
          buttonFont_.handle());
      SetWindowTextA(child, button.caption.c_str());
      if (first) firstButton_ = child;
    }
    const HWND credit =
        Child(window_, L"STATIC", SS_LEFT | SS_NOPREFIX, kCreditId,
              PixelRect(scale_, kCreditTwips.left, kCreditTwips.top,
                        kCreditTwips.right - kCreditTwips.left,
                        kCreditTwips.bottom - kCreditTwips.top),
              creditFont_.as<HFONT>());
    SetWindowTextW(credit, kCreditText);
    SendMessageW(window_, DM_SETDEFID, kFirstButtonId + layout_.firstButton, 0);
  }

  // The box's own modal loop: the thread's messages go on being handled (the host's
  // timers and paints among them) until this box has its answer. A box opened from
  // one of those messages has an answer of its own.
  void WaitForAnswer() {
    MSG message;
    while (box_.result == 0 && IsWindow(window_)) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == -1) return;
      if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the host's own loop
        return;
      }
      if (!IsDialogMessageW(window_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
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
