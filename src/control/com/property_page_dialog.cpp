#include "control/com/property_page_dialog.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "control/com/module.h"
#include "dialogs/win32/hover_texts.h"

namespace pelikar::com {
namespace {

// The page in dialog units, in the frame's usual dialog font.
constexpr wchar_t kFace[] = L"MS Shell Dlg";
constexpr WORD kPoints = 8;
constexpr short kWidth = 230;
constexpr short kHeight = 110;

// The dispatch identifiers of the four properties in the type library.
constexpr DISPID kFarsiDispId = 1;
constexpr DISPID kCodePageDispId = 2;
constexpr DISPID kMultiLineDispId = 9;
constexpr DISPID kEnvironmentDispId = 42;

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

struct Item {
  int id;
  WORD windowClass;
  DWORD style;
  short x, y, width, height;
  const wchar_t* text;
};

// The name the Nivo code page is offered under, and the maker's contact lines.
constexpr Item kItems[] = {
    {kEnvironmentLabelId, kStaticClass, SS_LEFT, 7, 9, 48, 8, L"Environment :"},
    {kHostListId, kComboBoxClass, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 57, 7,
     90, 110, L""},
    {kEnvironmentTextId, kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 153, 7, 28, 12, L""},
    {kFarsiId, kButtonClass, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 28, 64, 10, L"Farsi"},
    {kMultiLineId, kButtonClass, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 42, 64, 10, L"MultiLine"},
    {kCodePageFrameId, kButtonClass, BS_GROUPBOX, 80, 24, 143, 40, L"Sellect CodePage"},
    {kNivoOptionId, kButtonClass, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 88, 35, 60, 10,
     L"Nivo"},
    {kIrOptionId, kButtonClass, BS_AUTORADIOBUTTON, 88, 49, 60, 10, L"IranSystem"},
    {kCodePageTextId, kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 153, 35, 28,
     12, L""},
    {kContactLabelId, kStaticClass, SS_LEFT | SS_NOPREFIX, 7, 72, 216, 32,
     L"Pelikar: Persian text entry for application forms.\r\n"
     L"Questions and reports go to the Pelikar developers."},
};

struct HoverText {
  int id;
  std::string_view text;
};
constexpr HoverText kHoverTexts[] = {
    {kHostListId, "Setting the evironment that you are using"},
    {kFarsiId, "For Changing Language ( Scroll Lock Do The Same ) "},
    {kMultiLineId, "If You Want Have Multiline In Controll Must Set This"},
    {kCodePageFrameId,
     "Sellecting CodePage , You Must Sellect appropriate Font For Each CodePage : Nivo Or "
     "Nivo_Ir  Fonts"},
    {kNivoOptionId, "Nivo is better For Beautification"},
    {kIrOptionId, "IranSystem is better For Consistency"},
};

void Append(std::vector<WORD>& words, const wchar_t* text) {
  for (; *text != 0; ++text) words.push_back(static_cast<WORD>(*text));
  words.push_back(0);
}

template <class Header>
void AppendStruct(std::vector<WORD>& words, const Header& header) {
  const auto* raw = reinterpret_cast<const WORD*>(&header);
  words.insert(words.end(), raw, raw + sizeof(Header) / sizeof(WORD));
}

// A child dialog with the page's controls, in the font of the frame's dialogs.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words;
  DLGTEMPLATE head{};
  head.style = WS_CHILD | DS_CONTROL | DS_SETFONT | WS_CLIPSIBLINGS;
  head.cdit = static_cast<WORD>(std::size(kItems));
  head.cx = kWidth;
  head.cy = kHeight;
  AppendStruct(words, head);
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  words.push_back(0);  // no title
  words.push_back(kPoints);
  Append(words, kFace);
  for (const Item& item : kItems) {
    if (words.size() % 2 != 0) words.push_back(0);  // each item on a DWORD
    DLGITEMTEMPLATE entry{};
    entry.style = WS_CHILD | WS_VISIBLE | item.style;
    entry.x = item.x;
    entry.y = item.y;
    entry.cx = item.width;
    entry.cy = item.height;
    entry.id = static_cast<WORD>(item.id);
    AppendStruct(words, entry);
    words.push_back(0xFFFF);
    words.push_back(item.windowClass);
    Append(words, item.text);
    words.push_back(0);  // no creation data
  }
  return words;
}

CodeString TextOf(HWND control) {
  const int length = GetWindowTextLengthA(control);
  CodeString text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

// A text box keeps its caret unless its text really changes.
void SetTextOf(HWND control, const CodeString& text) {
  if (TextOf(control) != text) SetWindowTextA(control, text.c_str());
}

}  // namespace

SIZE PropertyPageDialog::Size() {
  // Dialog units as the dialog manager reckons them: a quarter of the font's average
  // letter width and an eighth of its height.
  const HDC dc = GetDC(nullptr);
  const HFONT font = CreateFontW(-MulDiv(kPoints, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0,
                                 FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, kFace);
  const HGDIOBJ old = SelectObject(dc, font);
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  GetTextExtentPoint32W(dc, kLetters, 52, &letters);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  const int unitX = (letters.cx / 26 + 1) / 2;
  const int unitY = metrics.tmHeight;
  return {MulDiv(kWidth, unitX, 4), MulDiv(kHeight, unitY, 8)};
}

HRESULT PropertyPageDialog::Create(HWND parent, const RECT& at) {
  if (window_ != nullptr) return E_UNEXPECTED;
  const std::vector<WORD> dialog = DialogTemplate();
  window_ = CreateDialogIndirectParamW(ModuleInstance(),
                                       reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), parent,
                                       Procedure, reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
  }
  MoveWindow(window_, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
  return S_OK;
}

void PropertyPageDialog::Destroy() {
  if (window_ == nullptr) return;
  DestroyWindow(window_);
  window_ = nullptr;
}

void PropertyPageDialog::ShowModel() {
  if (window_ == nullptr) return;
  showing_ = true;
  SetTextOf(Item(kEnvironmentTextId), model_.environmentText());
  SendMessageW(Item(kHostListId), CB_SETCURSEL, static_cast<WPARAM>(model_.hostIndex()), 0);
  CheckDlgButton(window_, kFarsiId, model_.farsi() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window_, kMultiLineId, model_.multiLine() ? BST_CHECKED : BST_UNCHECKED);
  SetTextOf(Item(kCodePageTextId), model_.codePageText());
  CheckRadioButton(window_, kNivoOptionId, kIrOptionId,
                   model_.irSelected() ? kIrOptionId : kNivoOptionId);
  showing_ = false;
}

bool PropertyPageDialog::Focus(DISPID property) {
  int id = 0;
  switch (property) {
    case kFarsiDispId: id = kFarsiId; break;
    case kCodePageDispId: id = model_.irSelected() ? kIrOptionId : kNivoOptionId; break;
    case kMultiLineDispId: id = kMultiLineId; break;
    case kEnvironmentDispId: id = kHostListId; break;
    default: return false;
  }
  if (window_ != nullptr) SetFocus(Item(id));
  return true;
}

void PropertyPageDialog::Command(int id, int notification) {
  if (showing_) return;
  const auto checked = [this, id] { return IsDlgButtonChecked(window_, id) == BST_CHECKED; };
  if (id == kEnvironmentTextId && notification == EN_CHANGE) {
    model_.EnvironmentTextChanged(TextOf(Item(id)));
  } else if (id == kHostListId && notification == CBN_SELCHANGE) {
    model_.HostClicked(static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)));
  } else if (id == kCodePageTextId && notification == EN_CHANGE) {
    model_.CodePageTextChanged(TextOf(Item(id)));
  } else if (id == kNivoOptionId && notification == BN_CLICKED) {
    model_.NivoClicked();
  } else if (id == kIrOptionId && notification == BN_CLICKED) {
    model_.IrClicked();
  } else if (id == kFarsiId && notification == BN_CLICKED) {
    model_.FarsiClicked(checked());
  } else if (id == kMultiLineId && notification == BN_CLICKED) {
    model_.MultiLineClicked(checked());
  } else {
    return;
  }
  ShowModel();
  changed_();
}

INT_PTR CALLBACK PropertyPageDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* page = reinterpret_cast<PropertyPageDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      page = reinterpret_cast<PropertyPageDialog*>(lParam);
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      page->window_ = window;
      const HWND hosts = GetDlgItem(window, kHostListId);
      for (std::string_view host : control::kHostKinds) {
        SendMessageA(hosts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(host).c_str()));
      }
      dialogs::win32::HoverTexts tips(window);
      for (const HoverText& hover : kHoverTexts) {
        const HWND control = GetDlgItem(window, hover.id);
        if (hover.id != kCodePageFrameId) {
          tips.Add(control, hover.text);
          continue;
        }
        // A group box lets the mouse through to the page: its area shows the text.
        RECT area{};
        GetWindowRect(control, &area);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        tips.AddArea(area, hover.text);
      }
      page->ShowModel();
      return FALSE;  // the frame sets the focus
    }
    case WM_COMMAND:
      if (page != nullptr) page->Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

}  // namespace pelikar::com
