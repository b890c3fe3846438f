#pragma once
// In-place activation: the control shows its face in a child window of the
// container's window while it is active in place, and takes part in UI activation.
// The face has a fixed size: a container that places the control in a rectangle of
// another size is asked (OnPosRectChange) to give it its own size back.
#include <windows.h>
#include <oleidl.h>

#include "control/control.h"

namespace pelikar::com {

class InPlaceObject final : public IOleInPlaceObject, public IOleInPlaceActiveObject {
 public:
  InPlaceObject(IUnknown& owner, const control::Control& control);
  InPlaceObject(const InPlaceObject&) = delete;
  InPlaceObject& operator=(const InPlaceObject&) = delete;
  ~InPlaceObject();

  // IOleObject::DoVerb: activates in place in the site (once), then UI-activates
  // when asked. parentHint is the window to use when the site names none.
  HRESULT Activate(IOleClientSite* site, HWND parentHint, bool uiActivate);
  bool active() const { return site_ != nullptr; }

  // IUnknown: the control's.
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleWindow, for both interfaces
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceObject
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;

  // IOleInPlaceActiveObject
  STDMETHODIMP TranslateAccelerator(LPMSG message) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                            BOOL frameWindow) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;

 private:
  HRESULT CreateFaceWindow(HWND parent, const RECT& position);
  // Moves the window to position at the face's size; asks the site to follow when
  // the sizes differ.
  void Place(const RECT& position);
  void Paint();
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);

  IUnknown& owner_;
  const control::Control& control_;
  IOleInPlaceSite* site_ = nullptr;
  IOleInPlaceFrame* frame_ = nullptr;
  IOleInPlaceUIWindow* document_ = nullptr;
  HWND window_ = nullptr;
  bool uiActive_ = false;
  bool placing_ = false;  // inside the site's OnPosRectChange
};

// At the module's unloading: the window class goes with the code of its procedure.
void UnregisterFaceWindowClass();

}  // namespace pelikar::com
