#include "dialogs/win32/keyboard_window.h"

#include <commctrl.h>

#include <array>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/keyboard_model.h"
#include "dialogs/win32/clipboard.h"
#include "dialogs/win32/edit_field.h"
#include "dialogs/win32/glyph_font.h"
#include "dialogs/win32/hover_texts.h"
#include "dialogs/win32/modal_loop.h"
#include "encoding/convert_text.h"
#include "encoding/tables.h"
#include "input/keyboard_state.h"

namespace pelikar::dialogs::win32 {
namespace {

constexpr wchar_t kLatinFace[] = L"MS Sans Serif";
// The subclass identifiers: a key button's index, and one for the text field.
constexpr UINT_PTR kFieldSubclass = kKeyCount;
// The copy button's picture: a sheet and its copy.
constexpr int kPictureWidth = 16;
constexpr int kPictureHeight = 12;

// An empty dialog of the keyboard's class; the controls come from the grid.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* head = reinterpret_cast<DLGTEMPLATE*>(words.data());
  head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  words.push_back(0);  // no menu
  for (const wchar_t* c = kKeyboardClass; *c != 0; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  words.push_back(0);  // no title yet
  return words;
}

HBITMAP CopyPicture() {
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP picture = CreateCompatibleBitmap(screen, kPictureWidth, kPictureHeight);
  ReleaseDC(nullptr, screen);
  if (dc == nullptr || picture == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    if (picture != nullptr) DeleteObject(picture);
    return nullptr;
  }
  const HGDIOBJ oldPicture = SelectObject(dc, picture);
  const RECT all{0, 0, kPictureWidth, kPictureHeight};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, 1, 0, 10, 9);
  Rectangle(dc, 6, 3, 15, 12);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldPicture);
  DeleteDC(dc);
  return picture;
}

// The shift mask of a key event: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftMask() {
  return static_cast<std::int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                                   (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                   (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// Any mouse button, a second click of a double click too.
bool IsMouseDown(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsMouseUp(UINT message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

class KeyboardWindow {
 public:
  KeyboardWindow(KeyboardServices& services, const ScreenScale& scale)
      : services_(services),
        scale_(scale),
        keyFont_(scale, kKeyPoints, FW_NORMAL),
        textFont_(scale, kTextPoints, FW_NORMAL),
        titleFont_(scale, kTitlePoints, FW_NORMAL),
        previewFont_(scale, kPreviewPoints, FW_NORMAL),
        measureFont_(scale, kMeasurePoints, FW_NORMAL),
        latinFont_(CreateLatinFont(scale, kLatinFace, kLatinPoints)),
        copyPicture_(CopyPicture()),
        measure_(measureFont_.handle(), scale) {}

  CodeString Run(const KeyboardRequest& request) {
    if (!EnsureWindowClass(kKeyboardClass, Procedure, DLGWINDOWEXTRA)) {
      throw std::runtime_error("the keyboard's window class could not be registered");
    }
    ModalOwner owner;
    const std::vector<WORD> dialog = DialogTemplate();
    window_ = CreateDialogIndirectParamW(
        CodeModule(), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner.get(), nullptr,
        0);
    if (window_ == nullptr) throw std::runtime_error("the keyboard could not be made");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    try {
      Build(request);
    } catch (...) {
      DestroyWindow(window_);
      throw;
    }
    owner.Disable();
    ShowWindow(window_, SW_SHOW);
    SetFocus(field_);
    // Escape ends the dialog wherever the focus is: the dialog sees keys before its
    // controls.
    RunModalLoop(window_, [this] { return done_; },
                 [this](const MSG& message) {
                   if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
                   if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
                   End({});
                   return true;
                 });
    owner.Enable();
    DestroyWindow(window_);
    if (failure_) std::rethrow_exception(failure_);
    return result_;
  }

 private:
  void Build(const KeyboardRequest& request) {
    RECT frame = PixelsOf(scale_, 0, 0, kKeyboardClient.width, kKeyboardClient.height);
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT at = PlacedAt(scale_, request.placement, width, height);
    SetWindowPos(window_, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(window_, std::wstring(request.caption).c_str());

    HoverTexts tips(window_);
    for (int i = 0; i < kKeyCount; ++i) {
      const KeyButton& key = kKeyGrid[static_cast<std::size_t>(i)];
      const bool picture = i == kCopyKey;
      const HFONT font = HasGlyphCaption(key) ? keyFont_.handle() : latinFont_.as<HFONT>();
      keys_[i] = Control(L"BUTTON", BS_PUSHBUTTON | (picture ? BS_BITMAP : 0), kFirstKeyId + i,
                         key.box, font);
      if (picture) {
        SendMessageW(keys_[i], BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(copyPicture_.as<HBITMAP>()));
      }
      SetWindowSubclass(keys_[i], ControlProcedure, static_cast<UINT_PTR>(i),
                        reinterpret_cast<DWORD_PTR>(this));
      tips.Add(keys_[i], key.tip);
    }
    caps_ = Control(L"BUTTON", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, kCapsId, kCapsBox,
                    latinFont_.as<HFONT>());
    SetWindowTextA(caps_, std::string(kCapsCaption).c_str());
    tips.Add(caps_, kCapsTip);

    field_ = Control(L"EDIT", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, kTextId, kTextBox,
                     textFont_.handle());
    SendMessageW(field_, EM_LIMITTEXT, kTextMaxLength, 0);
    SetWindowSubclass(field_, ControlProcedure, kFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
    SetWindowTextA(field_, encoding::ConvertText(request.text, encoding::CodePage::Nivo).c_str());

    SetWindowTextA(Control(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kTitleId, kTitleBox,
                           titleFont_.handle()),
                   model_.Title().c_str());
    SetWindowTextA(Control(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kHintId, kHintBox,
                           latinFont_.as<HFONT>()),
                   std::string(kHint).c_str());
    preview_ = Control(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kPreviewId, kPreviewBox,
                       previewFont_.handle());
    ShowModel();
  }

  HWND Control(const wchar_t* windowClass, DWORD style, int id, const TwipsBox& box, HFONT font) {
    return CreateChild(window_, windowClass, style, id,
                       PixelsOf(scale_, box.left, box.top, box.width, box.height), font);
  }

  // The captions and the preview as the model has them; only changed texts are set.
  void ShowModel() {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
      const CodeString& caption = model_.Caption(static_cast<int>(i));
      if (caption == shown_[i]) continue;
      SetWindowTextA(keys_[i], caption.c_str());
      shown_[i] = caption;
    }
    if (model_.Preview() != shownPreview_) {
      SetWindowTextA(preview_, model_.Preview().c_str());
      shownPreview_ = model_.Preview();
    }
  }

  CodeString FieldText() const { return EditField(field_).Text(); }

  void ButtonDown(int key) {
    const KeyPress press = model_.ButtonDown(key);
    switch (press.action) {
      case KeyPress::Action::Copy:
        // A clipboard that another program keeps busy takes nothing; the dialog goes on.
        PutOnClipboard(window_, FieldText());
        break;
      case KeyPress::Action::Cancel:
        End({});
        break;
      case KeyPress::Action::Accept:
        End(FieldText());
        break;
      case KeyPress::Action::Clear:
        SetWindowTextA(field_, "");
        break;
      case KeyPress::Action::Type:
        if (ClickMayType(WidthOf(measure_, FieldText()))) TypeKey(press.keyCode, press.shift);
        break;
      case KeyPress::Action::None:
        break;
    }
    ShowModel();
  }

  void ButtonUp(int key) {
    model_.ButtonUp(key);
    ShowModel();
    SetFocus(field_);
  }

  void CapsClicked() {
    model_.CapsClicked(SendMessageW(caps_, BM_GETCHECK, 0, 0) == BST_CHECKED);
    ShowModel();
  }

  // A key pressed in the field; false when the field must not handle it itself.
  bool FieldKeyDown(WPARAM key) {
    const input::KeyboardTable& state = input::FetchKeyboardState(services_.keyboard);
    persian_ = state[input::kScrollLockKey] != 0;
    switch (dialogs::FieldKeyDown(static_cast<int>(key), persian_, FieldText().size())) {
      case FieldKey::Accept:
        End(FieldText());
        return false;
      case FieldKey::Type:
        TypeKey(static_cast<std::int16_t>(key), ShiftMask());
        return true;
      case FieldKey::Pass:
        return true;
    }
    return true;
  }

  // The key types into the field as into a host's text box: in the Nivo code page,
  // at the field's caret.
  void TypeKey(std::int16_t keyCode, std::int16_t shift) {
    EditField field(field_);
    input::SetSavedSelStart(field.Get("SelStart").ToLong());
    input::InsertKey(field, keyCode, shift, encoding::NivoTableSet(), services_.messages);
  }

  // The first ending stands.
  void End(CodeString result) {
    if (done_) return;
    result_ = std::move(result);
    done_ = true;
  }

  // A step that fails ends the dialog; Run raises the failure.
  template <class Body>
  void Guarded(Body&& body) {
    try {
      body();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
      End({});
    }
  }

  static KeyboardWindow* Of(HWND window) {
    return reinterpret_cast<KeyboardWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    KeyboardWindow* keyboard = Of(window);
    switch (message) {
      case WM_COMMAND:
        // Caps alone answers; Enter's IDOK and Escape's IDCANCEL have handlers of their own.
        if (keyboard != nullptr && LOWORD(wParam) == kCapsId && HIWORD(wParam) == BN_CLICKED) {
          keyboard->Guarded([&] { keyboard->CapsClicked(); });
        }
        return 0;
      case WM_CLOSE:
        // The frame's close and Alt+F4 end the dialog as Esc does.
        if (keyboard != nullptr) keyboard->End({});
        return 0;
    }
    return DefDlgProcW(window, message, wParam, lParam);
  }

  static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
    auto* keyboard = reinterpret_cast<KeyboardWindow*>(self);
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(control, ControlProcedure, id);
    } else if (id == kFieldSubclass) {
      return keyboard->FieldProcedure(control, message, wParam, lParam);
    } else if (IsMouseDown(message) || IsMouseUp(message)) {
      // The button takes the focus and the mouse first, as a button does before its
      // owner hears of the press.
      const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
      const int key = static_cast<int>(id);
      keyboard->Guarded([&] {
        if (IsMouseDown(message)) {
          keyboard->ButtonDown(key);
        } else {
          keyboard->ButtonUp(key);
        }
      });
      return result;
    }
    return DefSubclassProc(control, message, wParam, lParam);
  }

  LRESULT FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_GETDLGCODE: {
        // Enter comes to the field (the dialog would take it for its default button),
        // and the field's text is never selected whole when the dialog gives it the
        // focus: a click would then replace it.
        LRESULT code = DefSubclassProc(field, message, wParam, lParam) & ~DLGC_HASSETSEL;
        const auto* asked = reinterpret_cast<const MSG*>(lParam);
        if (asked != nullptr && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN) {
          code |= DLGC_WANTMESSAGE;
        }
        return code;
      }
      case WM_KEYDOWN: {
        bool follows = true;
        Guarded([&] { follows = FieldKeyDown(wParam); });
        if (!follows || done_) return 0;
        break;
      }
      case WM_CHAR: {
        const int character = FieldKeyPress(static_cast<int>(wParam), persian_);
        if (character == 0) return 0;
        return DefSubclassProc(field, message, static_cast<WPARAM>(character), lParam);
      }
    }
    return DefSubclassProc(field, message, wParam, lParam);
  }

  KeyboardServices& services_;
  const ScreenScale& scale_;
  GlyphFont keyFont_;
  GlyphFont textFont_;
  GlyphFont titleFont_;
  GlyphFont previewFont_;
  GlyphFont measureFont_;
  GdiObject latinFont_;
  GdiObject copyPicture_;
  FontMeasure measure_;
  KeyboardModel model_;
  std::array<HWND, kKeyCount> keys_{};
  std::array<CodeString, kKeyCount> shown_;
  CodeString shownPreview_;
  HWND window_ = nullptr;
  HWND caps_ = nullptr;
  HWND field_ = nullptr;
  HWND preview_ = nullptr;
  bool persian_ = false;  // Scroll Lock at the field's last key-down
  bool done_ = false;
  CodeString result_;
  std::exception_ptr failure_;
};

}  // namespace

CodeString ShowKeyboard(const KeyboardRequest& request, KeyboardServices& services) {
  const ScreenScale scale;
  KeyboardWindow keyboard(services, scale);
  return keyboard.Run(request);
}

}  // namespace pelikar::dialogs::win32
