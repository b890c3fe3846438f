#include "pad_form.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace pelikar::samples {
namespace {

constexpr wchar_t kFormClass[] = L"PelikarPad";
constexpr wchar_t kFieldProperty[] = L"PelikarPadField";
constexpr int kLabelLeft = 12;
constexpr int kFieldLeft = 130;
constexpr int kFieldWidth = 480;
constexpr int kRowGap = 10;
constexpr int kFormWidth = 640;
constexpr int kFontHeight = -22;

enum Command : int {
  kToIranSystem = 1,
  kToday,
  kInWords,
  kMessage,
  kKeyboard,
  kPersian,
};

// A few cities for the combo box, typed on a Latin keyboard.
constexpr const wchar_t* kCities[] = {L"~jivhk~", L"~hwthik~", L"~advhc~", L"~jfvdc~"};

// An argument of a late-bound call, cleared when it goes.
class Argument {
 public:
  explicit Argument(const std::wstring& text) {
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  explicit Argument(short number) {
    V_VT(&value_) = VT_I2;
    V_I2(&value_) = number;
  }
  Argument(const Argument&) = delete;
  Argument& operator=(const Argument&) = delete;
  ~Argument() { VariantClear(&value_); }
  const VARIANT& get() const { return value_; }

 private:
  VARIANT value_;
};

// A result's text, the result cleared.
std::wstring TextOf(VARIANT result) {
  std::wstring text;
  if (SUCCEEDED(VariantChangeType(&result, &result, 0, VT_BSTR))) {
    text.assign(V_BSTR(&result), SysStringLen(V_BSTR(&result)));
  }
  VariantClear(&result);
  return text;
}

PadForm& FormOf(HWND window) {
  return *reinterpret_cast<PadForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (GetWindowLongPtrW(window, GWLP_USERDATA) != 0) FormOf(window).Command(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      FormOf(window).Close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A form's text box hands its key events to the form's handlers first, as a form
// designer's text box raises KeyDown and KeyPress before it acts on the key.
LRESULT CALLBACK FieldProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* field = static_cast<PadField*>(GetPropW(edit, kFieldProperty));
  if (field == nullptr) return DefWindowProcW(edit, message, wParam, lParam);
  PadForm& form = FormOf(GetAncestor(edit, GA_ROOT));
  switch (message) {
    case WM_SETFOCUS:
      form.FieldFocused(*field);
      break;
    case WM_KEYDOWN:
      form.latency().KeyDown(GetMessageTime());
      if (form.KeyDown(*field, wParam)) return 0;
      break;
    case WM_CHAR: {
      wParam = form.KeyPress(*field, static_cast<wchar_t>(wParam));
      // KeyAscii = 0: the box inserts nothing.
      const LRESULT result =
          wParam == 0 ? 0 : CallWindowProcW(field->original, edit, message, wParam, lParam);
      form.latency().KeyPressHandled();
      return result;
    }
  }
  return CallWindowProcW(field->original, edit, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y,
                int width, int height, HWND parent, int id = 0, DWORD extended = 0) {
  const HWND window = CreateWindowExW(
      extended, windowClass, text, style | (parent != nullptr ? WS_CHILD | WS_VISIBLE : 0), x, y,
      width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    char text[160];
    std::snprintf(text, sizeof text, "a window of the form (%ls) could not be made: error %lu",
                  windowClass, GetLastError());
    throw CallFailed(text);
  }
  return window;
}

template <class Function>
Function AtlEntry(const char* name) {
  static const HMODULE atl = LoadLibraryW(L"atl.dll");
  if (atl == nullptr) throw CallFailed("atl.dll is not there");
  auto entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(atl, name)));
  if (entry == nullptr) throw CallFailed(std::string("atl.dll has no ") + name);
  return entry;
}

}  // namespace

PadForm::PadForm(bool persian, std::wstring dumpPath) : dumpPath_(std::move(dumpPath)) {
  WNDCLASSEXW description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = FormProcedure;
  description.hInstance = GetModuleHandleW(nullptr);
  description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  description.lpszClassName = kFormClass;
  RegisterClassExW(&description);
  RECT frame{0, 0, kFormWidth, 440};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  window_ = MakeWindow(kFormClass, L"Pelikar Pad", style, 0, 0, frame.right - frame.left,
                       frame.bottom - frame.top, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  CreateControls();
  SetPersian(persian);
  ShowWindow(window_, SW_SHOW);
  SetFocus(fields_.front().field->window());
}

PadForm::~PadForm() {
  for (PadField& field : fields_) {
    SetWindowLongPtrW(field.field->window(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(field.original));
    RemovePropW(field.field->window(), kFieldProperty);
    field.field->Release();
  }
  client_.reset();
  if (IsWindow(window_)) DestroyWindow(window_);
  for (HFONT font : fonts_) DeleteObject(font);
}

void PadForm::CreateControls() {
  // The control itself, in ATL's container, which creates it by its ProgID.
  if (!AtlEntry<BOOL(WINAPI*)()>("AtlAxWinInit")()) throw CallFailed("AtlAxWinInit failed");
  const HWND host = MakeWindow(L"AtlAxWin", L"PelikarLib.Pelikar", 0, kFormWidth - 84,
                               406, 72, 24, window_);
  IUnknown* control = nullptr;
  if (FAILED(AtlEntry<HRESULT(WINAPI*)(HWND, IUnknown**)>("AtlAxGetControl")(host, &control)) ||
      control == nullptr) {
    throw CallFailed("the control is not registered (regsvr32 Pelikar.ocx)");
  }
  IDispatch* dispatch = nullptr;
  const HRESULT queried =
      control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  control->Release();
  if (FAILED(queried)) throw CallFailed("the control has no IDispatch");
  client_ = std::make_unique<ControlClient>(dispatch);
  dispatch->Release();

  AddField(L"Text1", L"text", L"Text", 30, ES_AUTOHSCROLL, L"Nivo2", 0);
  AddField(L"Memo1", L"text", L"Notes", 84,
           ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, L"Nivo2", 0);
  fields_.back().multiLine = true;
  AddField(L"Date1", L"shamsi", L"Shamsi date", 30, ES_AUTOHSCROLL, L"Nivo2", 0);
  AddField(L"Amount1", L"integer", L"Amount", 30, ES_AUTOHSCROLL, L"Nivo2", 0);
  AddField(L"City1", L"combo", L"City", 200, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL,
           L"Nivo2", 0);
  AddField(L"IrText1", L"text", L"Iran System", 30, ES_AUTOHSCROLL, L"Nivo_Ir", 1);

  const int top = nextTop_ + 4;
  const struct {
    const wchar_t* text;
    int id;
  } buttons[] = {{L"Iran System", kToIranSystem}, {L"Today", kToday},
                 {L"In words", kInWords},             {L"Message...", kMessage},
                 {L"Keyboard...", kKeyboard},         {L"Persian (F12)", kPersian}};
  int left = kLabelLeft;
  for (const auto& button : buttons) {
    MakeWindow(L"BUTTON", button.text, BS_PUSHBUTTON, left, top, 100, 28, window_, button.id);
    left += 104;
  }
  spelled_ = MakeWindow(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kLabelLeft, top + 38,
                        kFormWidth - 2 * kLabelLeft, 28, window_);
  SendMessageW(spelled_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.front()), FALSE);
  status_ = MakeWindow(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kLabelLeft, top + 74, 420, 20,
                       window_);
}

void PadForm::AddField(const wchar_t* name, const wchar_t* tag, const wchar_t* label, int height,
                       DWORD style, const wchar_t* face, short codePage) {
  const bool combo = lstrcmpW(tag, L"combo") == 0;
  MakeWindow(L"STATIC", label, SS_LEFT, kLabelLeft, nextTop_ + 6, kFieldLeft - kLabelLeft, 20,
             window_);
  const HWND box = MakeWindow(combo ? L"COMBOBOX" : L"EDIT", L"", style | WS_TABSTOP, kFieldLeft,
                              nextTop_, kFieldWidth, height, window_, 0,
                              combo ? 0 : WS_EX_CLIENTEDGE);
  const HFONT font = CreateFontW(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 SYMBOL_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, face);
  fonts_.push_back(font);
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (combo) {
    for (const wchar_t* city : kCities) {
      const std::wstring shown = TextOf(client_->Call(L"En_Ir_To_nivo", {Argument(city).get()}));
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
  }
  // A combo box is typed into through its edit box.
  const HWND edit = combo ? GetWindow(box, GW_CHILD) : box;
  PadField& field =
      fields_.emplace_back(PadField{new WindowField(edit, name, tag), box, nullptr, codePage});
  SetPropW(edit, kFieldProperty, &field);
  field.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProcedure)));
  nextTop_ += (combo ? 30 : height) + kRowGap;
}

// The property writes a host makes when a box with another code page or line mode
// takes the focus.
void PadForm::FieldFocused(const PadField& field) {
  try {
    client_->Put(L"CodePage", field.codePage);
    client_->Put(L"MultiLine", field.multiLine ? -1 : 0);
  } catch (const CallFailed& failure) {
    Status(std::wstring(failure.what(), failure.what() + strlen(failure.what())));
  }
}

bool PadForm::KeyDown(const PadField& field, WPARAM key) {
  if (key == VK_F12) {
    SetPersian(!persian_);
    return true;
  }
  const short shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                      (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  try {
    client_->KeyDown(*field.field, static_cast<short>(key), shift);
  } catch (const CallFailed& failure) {
    Status(std::wstring(failure.what(), failure.what() + strlen(failure.what())));
  }
  return false;
}

// The key-press event carries the character of the ANSI code page; the box gets back
// what the handler left.
wchar_t PadForm::KeyPress(const PadField& field, wchar_t character) {
  char code = 0;
  BOOL outside = FALSE;
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &character, 1, &code, 1, nullptr,
                          &outside) != 1 ||
      outside) {
    return character;  // no ANSI character: no key-press event
  }
  short left = 0;
  try {
    left = client_->KeyPress(*field.field, static_cast<short>(static_cast<unsigned char>(code)));
  } catch (const CallFailed& failure) {
    Status(std::wstring(failure.what(), failure.what() + strlen(failure.what())));
    return character;
  }
  if (left == 0) return 0;
  code = static_cast<char>(left);
  wchar_t wide = 0;
  MultiByteToWideChar(CP_ACP, 0, &code, 1, &wide, 1);
  return wide;
}

void PadForm::SetPersian(bool on) {
  try {
    client_->Put(L"Farsi", on ? -1 : 0);
    persian_ = on;
    Status(on ? L"Persian typing (F12 for Latin)" : L"Latin typing (F12 for Persian)");
  } catch (const CallFailed& failure) {
    Status(std::wstring(failure.what(), failure.what() + strlen(failure.what())));
  }
}

void PadForm::Prefill(std::size_t count) {
  std::wstring typed = L"~";
  while (typed.size() < count + 1) typed += L"sghl ";
  typed.resize(count + 1);
  const std::wstring text = TextOf(client_->Call(L"En_Ir_To_nivo", {Argument(typed + L"~").get()}));
  SetWindowTextW(fields_.front().field->window(), text.c_str());
}

// The codes of every field, as the control wrote them: the ANSI code page's bytes.
void PadForm::Close() {
  if (!dumpPath_.empty()) {
    std::string dump;
    for (const PadField& field : fields_) {
      const std::wstring text = field.field->Text();
      std::string codes(text.size(), '\0');
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), codes.data(),
                          static_cast<int>(codes.size()), nullptr, nullptr);
      for (wchar_t c : field.field->name()) dump += static_cast<char>(c);
      dump += '\t';
      for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) dump += ' ';
        dump += std::to_string(static_cast<unsigned char>(codes[i]));
      }
      dump += '\n';
    }
    FILE* file = _wfopen(dumpPath_.c_str(), L"wb");
    if (file == nullptr || fwrite(dump.data(), 1, dump.size(), file) != dump.size() ||
        fclose(file) != 0) {
      fwprintf(stderr, L"pelikar_pad: the fields could not be written to %ls\n",
               dumpPath_.c_str());
    }
  }
  DestroyWindow(window_);
}

void PadForm::Status(const std::wstring& text) { SetWindowTextW(status_, text.c_str()); }

WindowField& PadForm::Field(const wchar_t* name) {
  for (PadField& field : fields_) {
    if (field.field->name() == name) return *field.field;
  }
  throw std::logic_error("no such field");
}

void PadForm::Command(int id) {
  try {
    switch (id) {
      case kToIranSystem: {
        const std::wstring typed =
            TextOf(client_->Call(L"Nivo_To_En", {Argument(Field(L"Text1").Text()).get()}));
        const std::wstring ir = TextOf(client_->Call(L"En_To_Ir", {Argument(typed).get()}));
        SetWindowTextW(Field(L"IrText1").window(), ir.c_str());
        break;
      }
      case kToday:
        SetWindowTextW(Field(L"Date1").window(), TextOf(client_->Call(L"SystemDate", {})).c_str());
        break;
      case kInWords: {
        const std::wstring amount = Field(L"Amount1").Text();
        VARIANT number;
        V_VT(&number) = VT_R8;
        V_R8(&number) = amount.empty() ? 0 : _wtof(amount.c_str());
        SetWindowTextW(spelled_, TextOf(client_->Call(L"SpellNum", {number})).c_str());
        break;
      }
      case kMessage: {
        const Argument prompt(L"~bodvi a,n?~|~ljk jyddv ;vni hsj~");
        const Argument buttons(static_cast<short>(3));
        const Argument title(L"Pelikar Pad");
        const Argument alignment(static_cast<short>(1));
        const std::wstring answer = TextOf(client_->Call(
            L"Message", {prompt.get(), buttons.get(), title.get(), alignment.get()}));
        Status(L"The box answered " + answer);
        break;
      }
      case kKeyboard: {
        const Argument caption(L"~ljk~");
        const Argument text(Field(L"Text1").Text());
        const std::wstring typed =
            TextOf(client_->Call(L"KeyBoard", {caption.get(), text.get()}));
        if (!typed.empty()) SetWindowTextW(Field(L"Text1").window(), typed.c_str());
        break;
      }
      case kPersian:
        SetPersian(!persian_);
        SetFocus(fields_.front().field->window());
        break;
      default: break;
    }
  } catch (const CallFailed& failure) {
    Status(std::wstring(failure.what(), failure.what() + strlen(failure.what())));
  }
}

}  // namespace pelikar::samples
