// pkscript: runs a VBScript (.vbs) or JScript (.js) file with a "Host" object, and
// unlike the system's script host tells failure by its exit code:
//   0  the script ran to its end and no check failed
//   1  checks failed (Host.Check)
//   2  the script did not parse or stopped on a run-time error (reported on stderr
//      with file, line and column)
//   3  the host could not run the script at all
// usage: pkscript SCRIPT [ARGUMENT]   (the argument is Host.Argument)
//
// Host offers Echo(values...), Check(label, actual, expected) (compared as texts),
// Codes(text) (the ANSI codes of a string, as "143 142 141") and the properties
// Argument and AnsiCodePage.
#include <windows.h>
#include <activscp.h>
#include <fcntl.h>
#include <io.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../test_object.h"

namespace pelikar::script_host {
namespace {

using com_tests::TestObject;
using com_tests::TextOf;
using Arguments = std::vector<VARIANT*>;

enum ExitCode { kSuccess = 0, kFailuresReported = 1, kScriptError = 2, kHostError = 3 };

// Text in the code page (CP_UTF8 for output, CP_ACP for the codes a host sees).
std::string Bytes(const std::wstring& text, UINT codePage) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(),
      static_cast<int>(text.size()), bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

void Write(FILE* stream, const std::wstring& text) {
  fputs(Bytes(text, CP_UTF8).c_str(), stream);
  fflush(stream);
}

TestObject* NewHost(int& failures, const std::wstring& argument) {
  auto* host = (new TestObject())->Set(L"AnsiCodePage", com_tests::I4(GetACP()))->Set(L"Argument", argument);
  host->AddMethod(L"Echo", [](const Arguments& given, VARIANT*) {
    std::wstring line;
    for (VARIANT* value : given) line += (line.empty() ? L"" : L" ") + TextOf(*value);
    Write(stdout, line + L"\n");
    return S_OK;
  });
  host->AddMethod(L"Check", [&failures](const Arguments& given, VARIANT*) {
    if (given.size() != 3) return DISP_E_BADPARAMCOUNT;
    const std::wstring actual = TextOf(*given[1]), expected = TextOf(*given[2]);
    if (actual == expected) return S_OK;
    ++failures;
    Write(stderr, L"FAIL: " + TextOf(*given[0]) + L": got [" + actual + L"], expected [" + expected + L"]\n");
    return S_OK;
  });
  host->AddMethod(L"Codes", [](const Arguments& given, VARIANT* result) {
    if (given.size() != 1 || result == nullptr) return DISP_E_BADPARAMCOUNT;
    std::wstring codes;
    for (unsigned char byte : Bytes(TextOf(*given[0]), CP_ACP)) codes += (codes.empty() ? L"" : L" ") + std::to_wstring(byte);
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(codes.c_str());
    return S_OK;
  });
  return host;
}

// The engine's site: hands out Host and reports script errors with file, line and
// column. It lives on the stack of Run, longer than the engine.
struct ScriptSite final : IActiveScriptSite {
  ScriptSite(const std::wstring& path, IDispatch* host) : path(path), host(host) {}
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override {
    const bool known = IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IActiveScriptSite);
    *object = known ? this : nullptr;
    return known ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetLCID(LCID*) override { return E_NOTIMPL; }  // the system default
  STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;  // Host has no type information: engines bind it late
    if (item != nullptr) *item = nullptr;
    if (_wcsicmp(name, L"Host") != 0) return TYPE_E_ELEMENTNOTFOUND;
    if ((mask & SCRIPTINFO_IUNKNOWN) && item != nullptr) (*item = host)->AddRef();
    return S_OK;
  }
  PELIKAR_STUBS_1(E_NOTIMPL, GetDocVersionString(BSTR*))
  PELIKAR_STUBS_4(S_OK, OnScriptTerminate(const VARIANT*, const EXCEPINFO*), OnStateChange(SCRIPTSTATE),
                  OnEnterScript(), OnLeaveScript())
  STDMETHODIMP OnScriptError(IActiveScriptError* error) override {
    ++errors;
    com_tests::CallResult call;  // for its EXCEPINFO, freed with it
    error->GetExceptionInfo(&call.exception);
    if (call.exception.pfnDeferredFillIn != nullptr) call.exception.pfnDeferredFillIn(&call.exception);
    DWORD context = 0;
    ULONG line = 0;
    LONG column = 0;
    error->GetSourcePosition(&context, &line, &column);
    const wchar_t* description = call.exception.bstrDescription;
    Write(stderr, path + L"(" + std::to_wstring(line + 1) + L"," + std::to_wstring(column + 1) + L"): script error " +
                      std::to_wstring(call.exception.scode) + L": " + (description != nullptr ? description : L"") + L"\n");
    return S_OK;
  }

  const std::wstring& path;
  IDispatch* host;
  int errors = 0;
};

int HostError(const std::wstring& message) {
  Write(stderr, L"pkscript: " + message + L"\n");
  return kHostError;
}

// Reads, parses and runs the whole script; errors reach the site.
int Run(const std::wstring& path, const std::wstring& argument) {
  const std::wstring extension = std::filesystem::path(path).extension().wstring();
  const wchar_t* engineName = _wcsicmp(extension.c_str(), L".vbs") == 0 ? L"VBScript" : L"JScript";
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.is_open()) return HostError(L"cannot read " + path);
  std::wstring source(bytes.size(), L'\0');
  source.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                             source.data(), static_cast<int>(source.size()))));
  CLSID engineId;
  IActiveScript* engine = nullptr;
  IActiveScriptParse* parser = nullptr;
  // mingw's uuid library lacks the IActiveScriptParse identifiers; the header's
  // __uuidof declaration supplies the right one for 32 and 64 bits.
  if (FAILED(CLSIDFromProgID(engineName, &engineId)) ||
      FAILED(CoCreateInstance(engineId, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                              reinterpret_cast<void**>(&engine))) ||
      FAILED(engine->QueryInterface(__uuidof(IActiveScriptParse), reinterpret_cast<void**>(&parser)))) {
    return HostError(std::wstring(L"cannot create the ") + engineName + L" engine");
  }
  int failures = 0;
  TestObject* host = NewHost(failures, argument);
  ScriptSite site(path, host);
  HRESULT result = engine->SetScriptSite(&site);
  if (SUCCEEDED(result)) result = parser->InitNew();
  if (SUCCEEDED(result)) result = engine->AddNamedItem(L"Host", SCRIPTITEM_ISVISIBLE);
  if (SUCCEEDED(result)) result = parser->ParseScriptText(source.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, nullptr);
  // Code parsed before the engine starts runs when it starts.
  if (SUCCEEDED(result)) result = engine->SetScriptState(SCRIPTSTATE_CONNECTED);
  engine->Close();
  parser->Release();
  engine->Release();
  host->Release();
  if (failures > 0) Write(stderr, std::to_wstring(failures) + L" failure(s) reported by " + path + L"\n");
  if (site.errors > 0) return kScriptError;
  if (FAILED(result)) return HostError(L"the script did not run (error " + std::to_wstring(result) + L")");
  return failures > 0 ? kFailuresReported : kSuccess;
}

}  // namespace
}  // namespace pelikar::script_host

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc < 2 || argc > 3) return pelikar::script_host::HostError(L"usage: pkscript SCRIPT [ARGUMENT]");
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return pelikar::script_host::HostError(L"no COM");
  const int exitCode = pelikar::script_host::Run(argv[1], argc == 3 ? argv[2] : L"");
  CoUninitialize();
  return exitCode;
}
