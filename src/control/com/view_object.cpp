#include "control/com/view_object.h"

#include "control/com/face.h"

namespace pelikar::com {

ViewObject::ViewObject(IUnknown& owner, const control::Control& control)
    : ForwardingUnknown(owner), control_(control) {}

ViewObject::~ViewObject() {
  if (sink_ != nullptr) sink_->Release();
}

STDMETHODIMP ViewObject::Draw(DWORD aspect, LONG index, void* /*aspectInfo*/,
                              DVTARGETDEVICE* /*targetDevice*/, HDC /*targetInfo*/, HDC dc,
                              LPCRECTL bounds, LPCRECTL /*metafileBounds*/,
                              BOOL(STDMETHODCALLTYPE* /*keepDrawing*/)(ULONG_PTR),
                              ULONG_PTR /*argument*/) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (index != -1) return DV_E_LINDEX;  // the face is one whole picture
  // A windowed control is always told where to draw.
  if (dc == nullptr || bounds == nullptr) return E_INVALIDARG;
  const RECT rectangle{bounds->left, bounds->top, bounds->right, bounds->bottom};
  DrawFace(dc, rectangle, control_.Font());
  return S_OK;
}

STDMETHODIMP ViewObject::GetColorSet(DWORD /*aspect*/, LONG /*index*/, void* /*aspectInfo*/,
                                     DVTARGETDEVICE* /*targetDevice*/, HDC /*targetInfo*/,
                                     LOGPALETTE** colors) {
  if (colors == nullptr) return E_POINTER;
  *colors = nullptr;
  return S_FALSE;  // two plain colours: no palette needed
}

STDMETHODIMP ViewObject::Freeze(DWORD /*aspect*/, LONG /*index*/, void* /*aspectInfo*/,
                                DWORD* freeze) {
  if (freeze != nullptr) *freeze = 0;
  return E_NOTIMPL;  // the face never changes while it is drawn
}

STDMETHODIMP ViewObject::Unfreeze(DWORD /*freeze*/) { return E_NOTIMPL; }

STDMETHODIMP ViewObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  if (sink != nullptr) sink->AddRef();
  if (sink_ != nullptr) sink_->Release();
  sink_ = sink;
  sinkAspects_ = aspects;
  sinkFlags_ = flags;
  return S_OK;
}

STDMETHODIMP ViewObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects != nullptr) *aspects = sinkAspects_;
  if (flags != nullptr) *flags = sinkFlags_;
  if (sink != nullptr) {
    *sink = sink_;
    if (sink_ != nullptr) sink_->AddRef();
  }
  return S_OK;
}

STDMETHODIMP ViewObject::GetExtent(DWORD aspect, LONG /*index*/, DVTARGETDEVICE* /*targetDevice*/,
                                   LPSIZEL size) {
  if (size == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = FaceExtent();
  return S_OK;
}

}  // namespace pelikar::com
