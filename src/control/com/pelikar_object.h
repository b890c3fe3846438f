#pragma once
// The COM face of the control: one object with one identity. It implements _Pelikar
// (dual, through IDispatch as well), ISupportErrorInfo and IProvideClassInfo2 itself,
// forwarding every member to the portable control and the core; the interfaces a
// container uses to site, draw, size, persist and hear from the control are classes
// of their own inside it (ole_object.h, in_place.h, view_object.h, ole_control.h,
// persist_property_bag.h, persist_stream_init.h, connection_points.h,
// property_pages.h).
#include <windows.h>
#include <ocidl.h>

#include "control/com/client_site.h"
#include "control/com/connection_points.h"
#include "control/com/in_place.h"
#include "control/com/keyboard_state_table.h"
#include "control/com/lifecycle.h"
#include "control/com/ole_control.h"
#include "control/com/ole_object.h"
#include "control/com/persist_property_bag.h"
#include "control/com/persist_stream_init.h"
#include "control/com/property_pages.h"
#include "control/com/type_info_dispatch.h"
#include "control/com/view_object.h"
#include "control/control.h"
#include "dialogs/win32/screen.h"
#include "pelikar_h.h"
#include "util/win32/win32_services.h"

namespace pelikar::com {

class PelikarObject final : public _Pelikar, public ISupportErrorInfo, public IProvideClassInfo2 {
 public:
  // Creates a control (running its Initialize step) and queries it for interfaceId.
  static HRESULT Create(REFIID interfaceId, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // ISupportErrorInfo
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID interfaceId) override;

  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

  // _Pelikar, in slot order
  STDMETHODIMP get_Farsi(VARIANT_BOOL* result) override;
  STDMETHODIMP put_Farsi(VARIANT_BOOL newFarsi) override;
  STDMETHODIMP get_CodePage(VARIANT* result) override;
  STDMETHODIMP put_CodePage(VARIANT newCodePage) override;
  STDMETHODIMP FarsiDown(IDispatch* yourObject, short keyCode, short shift,
                         VARIANT_BOOL* result) override;
  STDMETHODIMP FarsiPress(IDispatch* yourObject, short* keyAscii, VARIANT_BOOL* result) override;
  STDMETHODIMP Shamsi_To_Miladi(BSTR shamsStr, BSTR* result) override;
  STDMETHODIMP Miladi_To_Shamsi(BSTR miladStr, BSTR* result) override;
  STDMETHODIMP Reverse(BSTR yourStr, BSTR* result) override;
  STDMETHODIMP InstallFont(BSTR fontName, VARIANT_BOOL* result) override;
  STDMETHODIMP get_MultiLine(VARIANT_BOOL* result) override;
  STDMETHODIMP put_MultiLine(VARIANT_BOOL newMultiLine) override;
  STDMETHODIMP En_Ir_To_nivo(BSTR yourStr, BSTR* result) override;
  STDMETHODIMP En_To_Ir(BSTR yourStr, BSTR* result) override;
  STDMETHODIMP En_Ir_FileToNivo(BSTR inputFile, BSTR outputFile, VARIANT_BOOL* result) override;
  STDMETHODIMP ToolTip(BSTR tipStr, short* button, VARIANT_BOOL* result) override;
  STDMETHODIMP Message(BSTR prompt, short buttons, BSTR title, short alignment,
                       short* result) override;
  STDMETHODIMP Message2(BSTR prompt, short buttons, BSTR title, short alignment, short x, short y,
                        short* result) override;
  STDMETHODIMP NivoFarsiChar(short position, BSTR* result) override;
  STDMETHODIMP KeyBoard(BSTR caption, BSTR text, BSTR* result) override;
  STDMETHODIMP KeyBoard2(BSTR caption, BSTR text, short x, short y, BSTR* result) override;
  STDMETHODIMP Nivo_To_En(BSTR yourStr, BSTR* result) override;
  STDMETHODIMP Animate(IDispatch* yourLabel, short effect, float speed, short* min, short* max,
                       VARIANT_BOOL* result) override;
  STDMETHODIMP WinPath(BSTR* result) override;
  STDMETHODIMP WinSysPath(BSTR* result) override;
  STDMETHODIMP Delay(float second, VARIANT_BOOL* result) override;
  STDMETHODIMP DriveType(BSTR drivePath, LONG* result) override;
  STDMETHODIMP CdDrive(BSTR* result) override;
  STDMETHODIMP DayOfWeek(BSTR shamsiStr, BSTR* result) override;
  STDMETHODIMP MonthOfYear(BSTR shamsiStr, BSTR* result) override;
  STDMETHODIMP SpellNum(double yourNumber, BSTR* result) override;
  STDMETHODIMP SystemDate(BSTR* result) override;
  STDMETHODIMP SpellDate(BSTR shamsiStr, BSTR* result) override;
  STDMETHODIMP VolLabel(BSTR driveName, BSTR* result) override;
  STDMETHODIMP DirExist(BSTR dirName, VARIANT_BOOL* result) override;
  STDMETHODIMP FileExist(BSTR fileName, VARIANT_BOOL* result) override;
  STDMETHODIMP StrToAscStr(BSTR yourStr, BSTR* result) override;
  STDMETHODIMP AscStrToStr(BSTR yourStr, BSTR* result) override;
  STDMETHODIMP ShapeOval(IDispatch* yourForm, LONG x1, LONG y1, LONG x2, LONG y2,
                         LONG* result) override;
  STDMETHODIMP ShapeRect(IDispatch* yourForm, LONG x1, LONG y1, LONG x2, LONG y2, LONG x3, LONG y3,
                         LONG* result) override;
  STDMETHODIMP Reserved(unsigned char yourAttrib, BSTR* result) override;
  STDMETHODIMP DecToBin(unsigned char decNum, BSTR* result) override;
  STDMETHODIMP BinToDec(BSTR binStr, unsigned char* result) override;
  STDMETHODIMP PrintText(BSTR textStr, BSTR fontStr, short sizeNum, VARIANT_BOOL txtBold,
                         unsigned char* printAttrib, VARIANT_BOOL* result) override;
  STDMETHODIMP get_Environment(VARIANT* result) override;
  STDMETHODIMP put_Environment(VARIANT newEnvironment) override;

 private:
  PelikarObject();
  ~PelikarObject();

  IUnknown& Identity() { return *static_cast<_Pelikar*>(this); }
  HRESULT KeyboardMember(BSTR caption, BSTR text, const dialogs::win32::BoxPlacement& placement,
                         BSTR* result);

  // A reference held for the length of a member that lets window messages through or
  // calls a host's object: the host's code may release the control meanwhile (a form
  // unloading itself).
  class KeepAlive {
   public:
    explicit KeepAlive(PelikarObject& object) : object_(object) { object_.AddRef(); }
    KeepAlive(const KeepAlive&) = delete;
    KeepAlive& operator=(const KeepAlive&) = delete;
    ~KeepAlive() { object_.Release(); }

   private:
    PelikarObject& object_;
  };

  LONG references_ = 1;
  util::win32::Win32Services services_;
  Win32KeyboardStateTable keyboard_;
  ConnectionPoints connectionPoints_;
  ClientSite site_;
  control::Control control_;
  Lifecycle lifecycle_;
  TypeInfoDispatch dispatch_;
  InPlaceObject inPlace_;
  ViewObject viewObject_;
  OleObject oleObject_;
  OleControl oleControl_;
  PersistPropertyBag persistBag_;
  PersistStreamInit persistStream_;
  SpecifyPropertyPages propertyPages_;
};

}  // namespace pelikar::com
