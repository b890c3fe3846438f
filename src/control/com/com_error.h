#pragma once
// How failures leave the control. A core RunTimeError becomes 0x800A0000 | number
// (FACILITY_CONTROL), the HRESULT form of a run-time error number, so that a script
// client's Err.Number shows the plain number; every failure also leaves an IErrorInfo
// with its description. No C++ exception crosses a COM boundary.
#include <windows.h>

#include <string_view>

namespace pelikar::com {

inline constexpr wchar_t kErrorSource[] = L"PelikarLib.Pelikar";

HRESULT RunTimeErrorResult(int number);

// Records description as the thread's error info and returns result.
HRESULT ReportError(HRESULT result, std::wstring_view description);

// Inside a catch block: the HRESULT for the exception being handled, reported.
HRESULT ReportCurrentException() noexcept;

// Runs body, answering S_OK, or the reported HRESULT of whatever it threw.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (...) {
    return ReportCurrentException();
  }
}

}  // namespace pelikar::com
