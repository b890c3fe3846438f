#include "control/com/pelikar_object.h"

#include <filesystem>
#include <new>
#include <string>

#include "control/com/ansi_string.h"
#include "control/com/com_error.h"
#include "control/com/dispatch_host_object.h"
#include "control/com/module.h"
#include "control/com/type_library.h"
#include "input/typing.h"
#include "calendar/calendar_texts.h"
#include "calendar/date_conversion.h"
#include "encoding/file_conversion.h"
#include "encoding/operations.h"
#include "dialogs/animation.h"
#include "dialogs/win32/dialog_services.h"
#include "dialogs/win32/keyboard_window.h"
#include "dialogs/win32/message_box_window.h"
#include "dialogs/win32/tooltip_window.h"
#include "numbers/spell_number.h"
#include "util/binary_text.h"
#include "util/delay.h"
#include "util/directory_search.h"
#include "util/drives.h"
#include "util/font_installer.h"
#include "util/print_text.h"
#include "util/window_shape.h"

namespace pelikar::com {
namespace {

HRESULT NullPointer() { return ReportError(E_POINTER, L"A result pointer is NULL"); }

// A string member whose failures reach the caller.
template <class Produce>
HRESULT StringResult(BSTR* result, Produce produce) {
  if (result == nullptr) return NullPointer();
  *result = nullptr;
  return Guarded([&] { *result = CodeToBstr(produce()); });
}

// A string member of the core: code string in, code string out.
template <class Operation>
HRESULT ConvertString(BSTR text, BSTR* result, Operation operation) {
  return StringResult(result, [&] { return operation(BstrToCode(text)); });
}

VARIANT_BOOL Boolean(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// Whether every character of a name has a code in the ANSI code page. One that has
// none would reach the platform as "?", a wildcard that matches other files.
bool FitsAnsiCodePage(BSTR name) {
  const int length = static_cast<int>(SysStringLen(name));
  if (length == 0) return true;
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, length, nullptr, 0, nullptr,
                      &usedDefault);
  return usedDefault == FALSE;
}

// The file tests: a name that the ANSI calls cannot carry names no file they can find.
template <class Test>
HRESULT FileTest(BSTR name, VARIANT_BOOL* result, Test test) {
  if (result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  if (!FitsAnsiCodePage(name)) return S_OK;
  return Guarded([&] { *result = Boolean(test(BstrToCode(name))); });
}

// The calendar and number members answer every failure with the empty string, as
// their callers expect; nothing reaches the caller as an error.
template <class Produce>
HRESULT TrappedString(BSTR* result, Produce produce) {
  if (result == nullptr) return NullPointer();
  *result = nullptr;
  try {
    *result = CodeToBstr(produce());
  } catch (...) {
    *result = nullptr;  // the empty string
  }
  return S_OK;
}

// The control's own file name without its extension: the message box's caption when
// the caller gives no title.
CodeString ProgramName() {
  return WideToCode(std::filesystem::path(ModulePath()).stem().wstring());
}

// A host form's window handle, its "hwnd" property.
std::int32_t WindowOf(IDispatch* form) { return DispatchHostObject(form).Get("hwnd").ToLong(); }

// Message and Message2 answer every failure with 0, the value of no button.
HRESULT MessageMember(BSTR prompt, short buttons, BSTR title, short alignment,
                      const dialogs::win32::BoxPlacement& placement, short* result) {
  if (result == nullptr) return NullPointer();
  *result = 0;
  try {
    const CodeString promptCodes = BstrToCode(prompt);
    const CodeString titleCodes = BstrToCode(title);
    const CodeString program = ProgramName();
    *result = dialogs::win32::ShowMessage({promptCodes, buttons, titleCodes, alignment, program},
                                          placement);
  } catch (...) {
    *result = 0;
  }
  return S_OK;
}

}  // namespace

PelikarObject::PelikarObject()
    : connectionPoints_(Identity()),
      site_(connectionPoints_.propertyNotify()),
      control_({site_, keyboard_,
                {services_.machine, services_.files, services_.fonts, services_.messages}}),
      lifecycle_(control_, site_),
      inPlace_(Identity(), control_),
      viewObject_(Identity(), control_),
      oleObject_(Identity(), site_, inPlace_, viewObject_),
      oleControl_(Identity(), site_),
      persistBag_(Identity(), lifecycle_),
      persistStream_(Identity(), lifecycle_),
      propertyPages_(Identity()) {
  ObjectCreated();
  dialogs::win32::TooltipUserCreated();
}

PelikarObject::~PelikarObject() {
  dialogs::win32::TooltipUserDestroyed();
  ObjectDestroyed();
}

HRESULT PelikarObject::Create(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  PelikarObject* control = nullptr;
  // The constructor runs the control's Initialize step.
  HRESULT result = Guarded([&] { control = new PelikarObject(); });
  if (FAILED(result)) return result;
  result = control->dispatch_.Load(IID__Pelikar);
  if (SUCCEEDED(result)) result = control->QueryInterface(interfaceId, object);
  control->Release();
  return result;
}

// IUnknown

STDMETHODIMP PelikarObject::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch) ||
      IsEqualIID(interfaceId, IID__Pelikar)) {
    *object = static_cast<_Pelikar*>(this);
  } else if (IsEqualIID(interfaceId, IID_ISupportErrorInfo)) {
    *object = static_cast<ISupportErrorInfo*>(this);
  } else if (IsEqualIID(interfaceId, IID_IProvideClassInfo) ||
             IsEqualIID(interfaceId, IID_IProvideClassInfo2)) {
    *object = static_cast<IProvideClassInfo2*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleObject)) {
    *object = static_cast<IOleObject*>(&oleObject_);
  } else if (IsEqualIID(interfaceId, IID_IOleWindow) ||
             IsEqualIID(interfaceId, IID_IOleInPlaceObject)) {
    *object = static_cast<IOleInPlaceObject*>(&inPlace_);
  } else if (IsEqualIID(interfaceId, IID_IOleInPlaceActiveObject)) {
    *object = static_cast<IOleInPlaceActiveObject*>(&inPlace_);
  } else if (IsEqualIID(interfaceId, IID_IOleControl)) {
    *object = static_cast<IOleControl*>(&oleControl_);
  } else if (IsEqualIID(interfaceId, IID_IViewObject) ||
             IsEqualIID(interfaceId, IID_IViewObject2)) {
    *object = static_cast<IViewObject2*>(&viewObject_);
  } else if (IsEqualIID(interfaceId, IID_IPersistPropertyBag)) {
    *object = static_cast<IPersistPropertyBag*>(&persistBag_);
  } else if (IsEqualIID(interfaceId, IID_IPersist) ||
             IsEqualIID(interfaceId, IID_IPersistStreamInit)) {
    *object = static_cast<IPersistStreamInit*>(&persistStream_);
  } else if (IsEqualIID(interfaceId, IID_IConnectionPointContainer)) {
    *object = static_cast<IConnectionPointContainer*>(&connectionPoints_);
  } else if (IsEqualIID(interfaceId, IID_ISpecifyPropertyPages)) {
    *object = static_cast<ISpecifyPropertyPages*>(&propertyPages_);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) PelikarObject::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) PelikarObject::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) {
    // The destructor releases the container's objects, which may call back into the
    // control and take references of their own: they must not delete it again.
    references_ = 1;
    delete this;
  }
  return remaining;
}

// IDispatch

STDMETHODIMP PelikarObject::GetTypeInfoCount(UINT* count) {
  return dispatch_.GetTypeInfoCount(count);
}

STDMETHODIMP PelikarObject::GetTypeInfo(UINT index, LCID /*locale*/, ITypeInfo** info) {
  return dispatch_.GetTypeInfo(index, info);
}

STDMETHODIMP PelikarObject::GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count,
                                          LCID /*locale*/, DISPID* ids) {
  return dispatch_.GetIDsOfNames(interfaceId, names, count, ids);
}

STDMETHODIMP PelikarObject::Invoke(DISPID id, REFIID interfaceId, LCID /*locale*/, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) {
  return dispatch_.Invoke(static_cast<_Pelikar*>(this), id, interfaceId, flags, params, result,
                          exception, argumentError);
}

// ISupportErrorInfo

STDMETHODIMP PelikarObject::InterfaceSupportsErrorInfo(REFIID interfaceId) {
  return IsEqualIID(interfaceId, IID__Pelikar) ? S_OK : S_FALSE;
}

// IProvideClassInfo2

STDMETHODIMP PelikarObject::GetClassInfo(ITypeInfo** info) {
  return LoadModuleTypeInfo(CLSID_Pelikar, info);
}

STDMETHODIMP PelikarObject::GetGUID(DWORD kind, GUID* guid) {
  if (guid == nullptr) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = DIID___Pelikar;
  return S_OK;
}

// _Pelikar: the conversion operations and Reserved

STDMETHODIMP PelikarObject::Reverse(BSTR yourStr, BSTR* result) {
  return ConvertString(yourStr, result, encoding::Reverse);
}

STDMETHODIMP PelikarObject::En_Ir_To_nivo(BSTR yourStr, BSTR* result) {
  return ConvertString(yourStr, result, encoding::En_Ir_To_nivo);
}

STDMETHODIMP PelikarObject::En_To_Ir(BSTR yourStr, BSTR* result) {
  return ConvertString(yourStr, result, encoding::En_To_Ir);
}

STDMETHODIMP PelikarObject::Nivo_To_En(BSTR yourStr, BSTR* result) {
  return ConvertString(yourStr, result, encoding::Nivo_To_En);
}

STDMETHODIMP PelikarObject::StrToAscStr(BSTR yourStr, BSTR* result) {
  return ConvertString(yourStr, result, encoding::StrToAscStr);
}

STDMETHODIMP PelikarObject::AscStrToStr(BSTR yourStr, BSTR* result) {
  return ConvertString(yourStr, result, encoding::AscStrToStr);
}

STDMETHODIMP PelikarObject::En_Ir_FileToNivo(BSTR inputFile, BSTR outputFile,
                                             VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  // Paths are names, not code strings: they keep every character the caller gave.
  return Guarded([&] {
    const std::filesystem::path input(BstrToWide(inputFile));
    const std::filesystem::path output(BstrToWide(outputFile));
    *result = encoding::En_Ir_FileToNivo(input, output) ? VARIANT_TRUE : VARIANT_FALSE;
  });
}

STDMETHODIMP PelikarObject::NivoFarsiChar(short position, BSTR* result) {
  if (result == nullptr) return NullPointer();
  *result = nullptr;
  return Guarded([&] { *result = CodeToBstr(encoding::NivoFarsiChar(position)); });
}

STDMETHODIMP PelikarObject::Reserved(unsigned char yourAttrib, BSTR* result) {
  if (result == nullptr) return NullPointer();
  *result = nullptr;
  return Guarded([&] { *result = CodeToBstr(control_.Reserved(yourAttrib)); });
}

// _Pelikar: dates and numbers

STDMETHODIMP PelikarObject::Shamsi_To_Miladi(BSTR shamsStr, BSTR* result) {
  return TrappedString(result, [&] { return calendar::Shamsi_To_Miladi(BstrToCode(shamsStr)); });
}

STDMETHODIMP PelikarObject::Miladi_To_Shamsi(BSTR miladStr, BSTR* result) {
  return TrappedString(result, [&] { return calendar::Miladi_To_Shamsi(BstrToCode(miladStr)); });
}

STDMETHODIMP PelikarObject::DayOfWeek(BSTR shamsiStr, BSTR* result) {
  return TrappedString(result, [&] { return calendar::DayOfWeek(BstrToCode(shamsiStr)); });
}

STDMETHODIMP PelikarObject::MonthOfYear(BSTR shamsiStr, BSTR* result) {
  return TrappedString(result, [&] { return calendar::MonthOfYear(BstrToCode(shamsiStr)); });
}

STDMETHODIMP PelikarObject::SpellNum(double yourNumber, BSTR* result) {
  return TrappedString(result, [&] { return numbers::SpellNum(yourNumber); });
}

STDMETHODIMP PelikarObject::SystemDate(BSTR* result) {
  return TrappedString(result, [] { return calendar::SystemDate(); });
}

STDMETHODIMP PelikarObject::SpellDate(BSTR shamsiStr, BSTR* result) {
  return TrappedString(result, [&] { return calendar::SpellDate(BstrToCode(shamsiStr)); });
}

// _Pelikar: system utilities. Names and paths cross as ANSI text, which the platform's
// ANSI calls take; the paths they give back convert to text the caller can use.

STDMETHODIMP PelikarObject::WinPath(BSTR* result) {
  return StringResult(result, [&] { return services_.machine.WindowsDirectory(); });
}

STDMETHODIMP PelikarObject::WinSysPath(BSTR* result) {
  return StringResult(result, [&] { return services_.machine.SystemDirectory(); });
}

// A failing copy shows the installer's message and answers False; nothing raises.
STDMETHODIMP PelikarObject::InstallFont(BSTR fontName, VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  return Guarded([&] {
    const util::FontInstallServices services{services_.machine, services_.files, services_.fonts,
                                             services_.messages};
    *result = Boolean(util::InstallFont(services, BstrToCode(fontName)));
  });
}

STDMETHODIMP PelikarObject::Delay(float second, VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = Boolean(util::Delay(services_.clock, second));
  return S_OK;
}

STDMETHODIMP PelikarObject::DriveType(BSTR drivePath, LONG* result) {
  if (result == nullptr) return NullPointer();
  *result = 0;
  return Guarded([&] { *result = services_.machine.DriveType(BstrToCode(drivePath)); });
}

STDMETHODIMP PelikarObject::CdDrive(BSTR* result) {
  return StringResult(result, [&] { return util::CdDrive(services_.machine); });
}

// The directory search raises what it meets (a drive not ready, a malformed name).
STDMETHODIMP PelikarObject::VolLabel(BSTR driveName, BSTR* result) {
  return ConvertString(driveName, result,
                       [&](CodeView name) { return util::VolLabel(services_.files, name); });
}

STDMETHODIMP PelikarObject::DirExist(BSTR dirName, VARIANT_BOOL* result) {
  return FileTest(dirName, result,
                  [&](CodeView name) { return util::DirExist(services_.files, name); });
}

STDMETHODIMP PelikarObject::FileExist(BSTR fileName, VARIANT_BOOL* result) {
  return FileTest(fileName, result,
                  [&](CodeView name) { return util::FileExist(services_.files, name); });
}

// The form's window is its "hwnd" property; an object without one raises.
STDMETHODIMP PelikarObject::ShapeOval(IDispatch* yourForm, LONG x1, LONG y1, LONG x2, LONG y2,
                                      LONG* result) {
  if (result == nullptr) return NullPointer();
  *result = 0;
  const KeepAlive alive(*this);
  return Guarded([&] {
    *result = util::ShapeOval(WindowOf(yourForm), services_.regions, {x1, y1, x2, y2});
  });
}

STDMETHODIMP PelikarObject::ShapeRect(IDispatch* yourForm, LONG x1, LONG y1, LONG x2, LONG y2,
                                      LONG x3, LONG y3, LONG* result) {
  if (result == nullptr) return NullPointer();
  *result = 0;
  const KeepAlive alive(*this);
  return Guarded([&] {
    *result = util::ShapeRect(WindowOf(yourForm), services_.regions, {x1, y1, x2, y2}, x3, y3);
  });
}

STDMETHODIMP PelikarObject::DecToBin(unsigned char decNum, BSTR* result) {
  return StringResult(result, [&] { return util::DecToBin(decNum); });
}

// A sum above 255 raises Overflow.
STDMETHODIMP PelikarObject::BinToDec(BSTR binStr, unsigned char* result) {
  if (result == nullptr) return NullPointer();
  *result = 0;
  return Guarded([&] { *result = util::BinToDec(BstrToCode(binStr)); });
}

// Any failure shows its description and answers False. PrintAttrib is accepted and
// ignored; omitted, it arrives as a NULL pointer.
STDMETHODIMP PelikarObject::PrintText(BSTR textStr, BSTR fontStr, short sizeNum,
                                      VARIANT_BOOL txtBold, unsigned char* /*printAttrib*/,
                                      VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  return Guarded([&] {
    const CodeString text = BstrToCode(textStr);
    const CodeString font = BstrToCode(fontStr);
    const util::PrintJob job{text, font, sizeNum, txtBold != VARIANT_FALSE};
    *result = Boolean(util::PrintText(services_.printer, services_.messages, job));
  });
}

// _Pelikar: the properties

STDMETHODIMP PelikarObject::get_Farsi(VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = Boolean(control_.Farsi());
  return S_OK;
}

// At design time the parent form's caption is touched, which may raise.
STDMETHODIMP PelikarObject::put_Farsi(VARIANT_BOOL newFarsi) {
  return Guarded([&] { control_.SetFarsi(newFarsi != VARIANT_FALSE); });
}

STDMETHODIMP PelikarObject::get_CodePage(VARIANT* result) {
  if (result == nullptr) return NullPointer();
  VariantInit(result);
  return Guarded([&] { HostValueToVariant(control_.CodePage(), result); });
}

// A value that cannot be compared with a number (a word) raises Type mismatch.
STDMETHODIMP PelikarObject::put_CodePage(VARIANT newCodePage) {
  const KeepAlive alive(*this);  // an object's default value is its code
  return Guarded([&] { control_.SetCodePage(LetValueFromVariant(newCodePage)); });
}

STDMETHODIMP PelikarObject::get_MultiLine(VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = Boolean(control_.MultiLine());
  return S_OK;
}

STDMETHODIMP PelikarObject::put_MultiLine(VARIANT_BOOL newMultiLine) {
  return Guarded([&] { control_.SetMultiLine(newMultiLine != VARIANT_FALSE); });
}

STDMETHODIMP PelikarObject::get_Environment(VARIANT* result) {
  if (result == nullptr) return NullPointer();
  VariantInit(result);
  return Guarded([&] { HostValueToVariant(control_.Environment(), result); });
}

STDMETHODIMP PelikarObject::put_Environment(VARIANT newEnvironment) {
  const KeepAlive alive(*this);  // an object's default value is its code
  return Guarded([&] { control_.SetEnvironment(LetValueFromVariant(newEnvironment)); });
}

// _Pelikar: typing. Both members trap the failures of the field and answer False;
// the field is reached by member name through its IDispatch.

STDMETHODIMP PelikarObject::FarsiDown(IDispatch* yourObject, short keyCode, short shift,
                                      VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  const KeepAlive alive(*this);
  return Guarded([&] {
    DispatchHostObject field(yourObject);
    input::TypingServices typing{keyboard_, services_.messages};
    *result = Boolean(input::FarsiDown(field, keyCode, shift, control_.TypingSettings(), typing));
  });
}

STDMETHODIMP PelikarObject::FarsiPress(IDispatch* yourObject, short* keyAscii,
                                       VARIANT_BOOL* result) {
  if (keyAscii == nullptr || result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  const KeepAlive alive(*this);
  return Guarded([&] {
    DispatchHostObject field(yourObject);
    input::TypingServices typing{keyboard_, services_.messages};
    std::int16_t key = *keyAscii;
    const bool general = input::FarsiPress(field, key, control_.TypingSettings(), typing);
    *keyAscii = key;
    *result = Boolean(general);
  });
}

// _Pelikar: the control's own windows. Each lets the thread's window messages through
// while it runs, so the host may release the control meanwhile: the member holds a
// reference of its own until it returns.

STDMETHODIMP PelikarObject::Message(BSTR prompt, short buttons, BSTR title, short alignment,
                                    short* result) {
  const KeepAlive alive(*this);
  return MessageMember(prompt, buttons, title, alignment, {}, result);
}

// X is the box's top edge and Y its left edge, in twips.
STDMETHODIMP PelikarObject::Message2(BSTR prompt, short buttons, BSTR title, short alignment,
                                     short x, short y, short* result) {
  const KeepAlive alive(*this);
  return MessageMember(prompt, buttons, title, alignment, {false, x, y}, result);
}

// False after a failure, which it traps. Button changes nothing; omitted, it arrives
// as a NULL pointer.
STDMETHODIMP PelikarObject::ToolTip(BSTR tipStr, short* /*button*/, VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  try {
    dialogs::win32::SetTooltip(BstrToCode(tipStr));
    *result = VARIANT_TRUE;
  } catch (...) {
    *result = VARIANT_FALSE;
  }
  return S_OK;
}

// Min and Max are written back when given; omitted, they arrive as NULL pointers.
STDMETHODIMP PelikarObject::Animate(IDispatch* yourLabel, short effect, float speed, short* min,
                                    short* max, VARIANT_BOOL* result) {
  if (result == nullptr) return NullPointer();
  *result = VARIANT_FALSE;
  const KeepAlive alive(*this);
  try {
    std::int16_t low = min != nullptr ? *min : 0;
    std::int16_t high = max != nullptr ? *max : 0;
    DispatchHostObject label(yourLabel);
    dialogs::win32::Win32MessagePump pump;
    dialogs::win32::Win32RandomSource random;
    dialogs::AnimationServices services{services_.clock, pump, random, services_.messages};
    *result = Boolean(dialogs::Animate(label, effect, speed, low, high, services));
    if (min != nullptr) *min = low;
    if (max != nullptr) *max = high;
  } catch (...) {
    *result = VARIANT_FALSE;
  }
  return S_OK;
}

// The keyboard always types in the Nivo code page, whatever CodePage says. Its failures
// (a window the platform refuses) reach the caller.
HRESULT PelikarObject::KeyboardMember(BSTR caption, BSTR text,
                                      const dialogs::win32::BoxPlacement& placement,
                                      BSTR* result) {
  const KeepAlive alive(*this);
  return StringResult(result, [&] {
    const std::wstring captionText = BstrToWide(caption);
    const CodeString typed = BstrToCode(text);
    dialogs::win32::KeyboardServices services{keyboard_, services_.messages};
    return dialogs::win32::ShowKeyboard({captionText, typed, placement}, services);
  });
}

STDMETHODIMP PelikarObject::KeyBoard(BSTR caption, BSTR text, BSTR* result) {
  return KeyboardMember(caption, text, {}, result);
}

// X is the dialog's top edge and Y its left edge, in twips.
STDMETHODIMP PelikarObject::KeyBoard2(BSTR caption, BSTR text, short x, short y, BSTR* result) {
  return KeyboardMember(caption, text, {false, x, y}, result);
}

}  // namespace pelikar::com
