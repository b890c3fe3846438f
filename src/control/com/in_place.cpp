#include "control/com/in_place.h"

#include "control/com/face.h"
#include "control/com/module.h"

namespace pelikar::com {
namespace {

constexpr wchar_t kWindowClass[] = L"PelikarFace";
constexpr wchar_t kObjectName[] = L"Pelikar";

ATOM windowClass = 0;

// The last Windows error as an HRESULT; a failure that left no error is still one.
HRESULT LastError() {
  const DWORD error = GetLastError();
  return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

template <class Interface>
void ReleaseAndClear(Interface*& pointer) {
  if (pointer != nullptr) pointer->Release();
  pointer = nullptr;
}

// A reference of the control's own for the length of a call into the container,
// which may deactivate the control (and so drop the control's references) before it
// returns.
template <class Interface>
class Held {
 public:
  explicit Held(Interface* pointer) : pointer_(pointer) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  ~Held() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_;
};

// The class is registered once for the module; another apartment's thread may have
// registered it a moment before.
HRESULT RegisterFaceWindowClass(WNDPROC procedure) {
  if (windowClass != 0) return S_OK;
  WNDCLASSEXW description{};
  description.cbSize = sizeof description;
  description.style = CS_HREDRAW | CS_VREDRAW;
  description.lpfnWndProc = procedure;
  description.hInstance = ModuleInstance();
  description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  description.lpszClassName = kWindowClass;
  const ATOM registered = RegisterClassExW(&description);
  if (registered != 0) {
    windowClass = registered;
    return S_OK;
  }
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? S_OK : LastError();
}

}  // namespace

void UnregisterFaceWindowClass() {
  if (windowClass != 0) UnregisterClassW(kWindowClass, ModuleInstance());
  windowClass = 0;
}

InPlaceObject::InPlaceObject(IUnknown& owner, const control::Control& control)
    : owner_(owner), control_(control) {}

InPlaceObject::~InPlaceObject() {
  // A container that released the control without deactivating it.
  if (window_ != nullptr) DestroyWindow(window_);
  ReleaseAndClear(frame_);
  ReleaseAndClear(document_);
  ReleaseAndClear(site_);
}

HRESULT InPlaceObject::Activate(IOleClientSite* site, HWND parentHint, bool uiActivate) {
  if (site_ == nullptr) {
    if (site == nullptr) return E_UNEXPECTED;
    IOleInPlaceSite* inPlaceSite = nullptr;
    HRESULT result =
        site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite));
    if (FAILED(result)) return E_NOTIMPL;  // the site cannot take an in-place object
    result = inPlaceSite->CanInPlaceActivate();
    if (result == S_OK) result = inPlaceSite->OnInPlaceActivate();
    if (FAILED(result) || result == S_FALSE) {
      inPlaceSite->Release();
      return E_FAIL;
    }
    site_ = inPlaceSite;

    HWND parent = nullptr;
    if (FAILED(site_->GetWindow(&parent)) || parent == nullptr) parent = parentHint;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (FAILED(site_->GetWindowContext(&frame_, &document_, &position, &clip, &frameInfo))) {
      frame_ = nullptr;
      document_ = nullptr;
    }
    result = CreateFaceWindow(parent, position);
    if (FAILED(result)) {
      InPlaceDeactivate();
      return result;
    }
  }
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    site_->OnUIActivate();
    auto* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame_ != nullptr) frame_->SetActiveObject(active, kObjectName);
    if (document_ != nullptr) document_->SetActiveObject(active, kObjectName);
  }
  return S_OK;
}

HRESULT InPlaceObject::CreateFaceWindow(HWND parent, const RECT& position) {
  const HRESULT registered = RegisterFaceWindowClass(&InPlaceObject::WindowProcedure);
  if (FAILED(registered)) return registered;
  const SIZE size = FacePixels();
  window_ = CreateWindowExW(0, kWindowClass, kObjectName, WS_CHILD | WS_CLIPSIBLINGS,
                            position.left, position.top, size.cx, size.cy, parent, nullptr,
                            ModuleInstance(), nullptr);
  if (window_ == nullptr) return LastError();
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Place(position);
  ShowWindow(window_, SW_SHOWNA);
  return S_OK;
}

void InPlaceObject::Place(const RECT& position) {
  const SIZE size = FacePixels();
  RECT face{position.left, position.top, position.left + size.cx, position.top + size.cy};
  if (window_ != nullptr) {
    SetWindowPos(window_, nullptr, face.left, face.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (site_ != nullptr && !placing_ && !EqualRect(&face, &position)) {
    // The site answers with SetObjectRects of the face's rectangle.
    placing_ = true;
    site_->OnPosRectChange(&face);
    placing_ = false;
  }
}

void InPlaceObject::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  DrawFace(dc, client, control_.Font());
  EndPaint(window_, &paint);
}

LRESULT CALLBACK InPlaceObject::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto* self = reinterpret_cast<InPlaceObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr) {
    switch (message) {
      case WM_ERASEBKGND: return 1;  // the face covers the whole window
      case WM_PAINT: self->Paint(); return 0;
      case WM_NCDESTROY:
        // Destroyed by the control, or with the container's window before the
        // control was deactivated: either way the handle is no longer the face's.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        break;
      default: break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

STDMETHODIMP InPlaceObject::QueryInterface(REFIID interfaceId, void** object) {
  return owner_.QueryInterface(interfaceId, object);
}
STDMETHODIMP_(ULONG) InPlaceObject::AddRef() { return owner_.AddRef(); }
STDMETHODIMP_(ULONG) InPlaceObject::Release() { return owner_.Release(); }

STDMETHODIMP InPlaceObject::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = window_;
  return window_ != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP InPlaceObject::ContextSensitiveHelp(BOOL /*enterMode*/) { return E_NOTIMPL; }

// The container may call back into the control from any notification, even to
// deactivate it again: the control's references are taken out before each call.
STDMETHODIMP InPlaceObject::InPlaceDeactivate() {
  if (site_ == nullptr) return S_OK;
  UIDeactivate();
  if (site_ == nullptr) return S_OK;  // deactivated from within UIDeactivate
  IOleInPlaceSite* site = site_;
  site_ = nullptr;
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
  ReleaseAndClear(frame_);
  ReleaseAndClear(document_);
  site->OnInPlaceDeactivate();
  site->Release();
  return S_OK;
}

STDMETHODIMP InPlaceObject::UIDeactivate() {
  if (!uiActive_) return S_OK;
  uiActive_ = false;
  const Held<IOleInPlaceSite> site(site_);
  const Held<IOleInPlaceFrame> frame(frame_);
  const Held<IOleInPlaceUIWindow> document(document_);
  if (frame) frame->SetActiveObject(nullptr, nullptr);
  if (document) document->SetActiveObject(nullptr, nullptr);
  if (site) site->OnUIDeactivate(FALSE);
  return S_OK;
}

STDMETHODIMP InPlaceObject::SetObjectRects(LPCRECT position, LPCRECT /*clip*/) {
  if (position == nullptr) return E_POINTER;
  Place(*position);
  return S_OK;
}

STDMETHODIMP InPlaceObject::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

STDMETHODIMP InPlaceObject::TranslateAccelerator(LPMSG /*message*/) { return S_FALSE; }
STDMETHODIMP InPlaceObject::OnFrameWindowActivate(BOOL /*activate*/) { return S_OK; }
STDMETHODIMP InPlaceObject::OnDocWindowActivate(BOOL /*activate*/) { return S_OK; }
STDMETHODIMP InPlaceObject::ResizeBorder(LPCRECT /*border*/, IOleInPlaceUIWindow* /*window*/,
                                         BOOL /*frameWindow*/) {
  return S_OK;  // the control puts no tools on the frame
}
STDMETHODIMP InPlaceObject::EnableModeless(BOOL /*enable*/) { return S_OK; }

}  // namespace pelikar::com
