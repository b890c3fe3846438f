#pragma once
// IViewObject2: the control's face drawn into a container's device context (a form
// designer's window, a printer, a metafile or a bitmap) at any size.
#include <windows.h>
#include <oleidl.h>

#include "control/com/forwarding_unknown.h"
#include "control/control.h"

namespace pelikar::com {

class ViewObject final : public ForwardingUnknown<IViewObject2> {
 public:
  ViewObject(IUnknown& owner, const control::Control& control);
  ~ViewObject();

  // IViewObject
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* targetDevice,
                    HDC targetInfo, HDC dc, LPCRECTL bounds, LPCRECTL metafileBounds,
                    BOOL(STDMETHODCALLTYPE* keepDrawing)(ULONG_PTR), ULONG_PTR argument) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo,
                           DVTARGETDEVICE* targetDevice, HDC targetInfo,
                           LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;

  // IViewObject2
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* targetDevice,
                         LPSIZEL size) override;

 private:
  const control::Control& control_;
  IAdviseSink* sink_ = nullptr;
  DWORD sinkAspects_ = 0;
  DWORD sinkFlags_ = 0;
};

}  // namespace pelikar::com
