#pragma once
// The control module under test, loaded from the path given on the command line,
// and the identifiers a client knows it by (written out here, independently of the
// IDL, as a client would have them).
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace pelikar::com_tests {

inline constexpr CLSID kPelikarClass = {
    0xC192A5C2, 0x5059, 0x416A, {0x91, 0x46, 0x06, 0x1C, 0x58, 0xB0, 0xA2, 0x5D}};
inline constexpr IID kPelikarInterface = {
    0xF8FA9288, 0x79E9, 0x4420, {0xB8, 0x3B, 0x8B, 0x9B, 0x41, 0x04, 0x41, 0xD1}};
inline constexpr IID kPelikarEvents = {
    0x112C5F97, 0x321A, 0x411A, {0xB0, 0xA1, 0x28, 0x34, 0x18, 0xB3, 0x13, 0x8D}};
inline constexpr GUID kPelikarLibrary = {
    0xF3074081, 0x0379, 0x437B, {0xB4, 0xE2, 0xB1, 0x53, 0xF0, 0x55, 0xD3, 0x06}};
inline constexpr CLSID kPropertyPageClass = {
    0xBD2E022E, 0xAFAF, 0x4351, {0xB1, 0x5B, 0x8C, 0x80, 0x8D, 0x08, 0x76, 0xE7}};
inline constexpr IID kPropertyPageInterface = {
    0x01C9854D, 0xE381, 0x4565, {0x93, 0x15, 0xA3, 0x2A, 0x38, 0x5A, 0x95, 0xA9}};

void SetOcxPath(std::wstring path);
const std::wstring& OcxPath();

// The .ocx loaded with LoadLibrary and its four entry points.
class OcxModule {
 public:
  OcxModule();
  OcxModule(const OcxModule&) = delete;
  OcxModule& operator=(const OcxModule&) = delete;
  ~OcxModule();

  bool loaded() const { return module_ != nullptr; }
  HRESULT RegisterServer() const;
  HRESULT UnregisterServer() const;
  HRESULT GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const;
  HRESULT CanUnloadNow() const;

 private:
  template <class Function>
  Function Entry(const char* name) const;

  HMODULE module_;
};

std::wstring GuidText(REFGUID guid);

}  // namespace pelikar::com_tests
