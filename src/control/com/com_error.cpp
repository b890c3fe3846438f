#include "control/com/com_error.h"

#include <oleauto.h>

#include <exception>
#include <new>
#include <string>

#include "common/run_time_error.h"
#include "control/com/ansi_string.h"
#include "pelikar_h.h"

namespace pelikar::com {

HRESULT RunTimeErrorResult(int number) {
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

HRESULT ReportError(HRESULT result, std::wstring_view description) {
  ICreateErrorInfo* creator = nullptr;
  if (FAILED(CreateErrorInfo(&creator))) return result;
  const std::wstring text(description);
  creator->SetGUID(IID__Pelikar);
  creator->SetSource(const_cast<LPOLESTR>(kErrorSource));
  creator->SetDescription(const_cast<LPOLESTR>(text.c_str()));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  creator->Release();
  return result;
}

namespace {

// Reporting allocates; when even that fails, the bare result must do.
template <class Describe>
HRESULT ReportIfPossible(HRESULT result, Describe&& describe) noexcept {
  try {
    return ReportError(result, describe());
  } catch (...) {
    return result;
  }
}

}  // namespace

HRESULT ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const RunTimeError& error) {
    return ReportIfPossible(RunTimeErrorResult(error.number()),
                            [&] { return Utf8ToWide(error.what()); });
  } catch (const std::bad_alloc&) {
    return ReportIfPossible(E_OUTOFMEMORY, [] { return L"Out of memory"; });
  } catch (...) {
    return ReportIfPossible(E_UNEXPECTED,
                            [] { return L"Unexpected failure inside the control"; });
  }
}

}  // namespace pelikar::com
