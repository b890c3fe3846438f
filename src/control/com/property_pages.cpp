#include "control/com/property_pages.h"

#include "pelikar_h.h"

namespace pelikar::com {

STDMETHODIMP SpecifyPropertyPages::GetPages(CAUUID* pages) {
  if (pages == nullptr) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
  if (pages->pElems == nullptr) return E_OUTOFMEMORY;
  pages->pElems[0] = CLSID_Property;
  pages->cElems = 1;
  return S_OK;
}

}  // namespace pelikar::com
