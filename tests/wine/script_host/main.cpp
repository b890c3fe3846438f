// pkscript: runs a VBScript (.vbs) or JScript (.js) file with a "Host" object, and
// unlike the system's script host tells failure by its exit code:
//   0  the script ran to its end (or called Host.Quit 0) and no check failed
//   1  checks failed (Host.Check)
//   2  the script did not parse or stopped on a run-time error (reported on stderr
//      with file, line and column)
//   3  the host could not run the script at all
//   n  the script called Host.Quit n
// usage: pkscript SCRIPT [ARGUMENT...]   (the arguments are Host.Argument(0)...)
//
// Host offers Echo(values...), Check(label, actual, expected) (compared as texts),
// Quit([code]), Argument(index), Codes(text) (the ANSI codes of a string, as
// "143 142 141") and the property AnsiCodePage.
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
  const std::string utf8 = Bytes(text, CP_UTF8);
  fwrite(utf8.data(), 1, utf8.size(), stream);
  fflush(stream);
}

// The value as a whole number, -1 when it is none.
long NumberOf(VARIANT* value) {
  VARIANT number;
  VariantInit(&number);
  return SUCCEEDED(VariantChangeType(&number, value, 0, VT_I4)) ? V_I4(&number) : -1;
}

HRESULT Answer(VARIANT* result, const std::wstring& text) {
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return S_OK;
}

// What the script reported through Host.
struct Report {
  int failures = 0;
  bool quit = false;
  int quitCode = 0;
};

TestObject* NewHost(Report& report, const std::vector<std::wstring>& arguments) {
  auto* host = new TestObject();
  host->SetLong(L"AnsiCodePage", static_cast<LONG>(GetACP()));
  // After Quit every call fails, so that a script that keeps going (an error handler,
  // On Error Resume Next) does nothing more.
  auto add = [&](const wchar_t* name, std::function<HRESULT(const Arguments&, VARIANT*)> body) {
    host->AddMethod(name, [&report, body](const Arguments& given, VARIANT* result) {
      return report.quit ? E_ABORT : body(given, result);
    });
  };
  add(L"Echo", [](const Arguments& given, VARIANT*) {
    std::wstring line;
    for (VARIANT* value : given) line += (line.empty() ? L"" : L" ") + TextOf(*value);
    Write(stdout, line + L"\n");
    return S_OK;
  });
  add(L"Check", [&report](const Arguments& given, VARIANT*) {
    if (given.size() != 3) return DISP_E_BADPARAMCOUNT;
    const std::wstring actual = TextOf(*given[1]), expected = TextOf(*given[2]);
    if (actual != expected) {
      ++report.failures;
      Write(stderr, L"FAIL: " + TextOf(*given[0]) + L": got [" + actual + L"], expected [" + expected + L"]\n");
    }
    return S_OK;
  });
  // The engine turns the failed call into an error that ends the script; the site
  // knows that it was asked for and does not report it.
  add(L"Quit", [&report](const Arguments& given, VARIANT*) {
    report.quitCode = given.empty() ? 0 : static_cast<int>(NumberOf(given[0]));
    report.quit = true;
    return E_ABORT;
  });
  add(L"Argument", [&arguments](const Arguments& given, VARIANT* result) {
    const long index = given.size() == 1 ? NumberOf(given[0]) : -1;
    return index >= 0 && static_cast<std::size_t>(index) < arguments.size() && result != nullptr
               ? Answer(result, arguments[static_cast<std::size_t>(index)])
               : DISP_E_BADINDEX;
  });
  add(L"Codes", [](const Arguments& given, VARIANT* result) {
    if (given.size() != 1 || result == nullptr) return DISP_E_BADPARAMCOUNT;
    std::wstring codes;
    for (unsigned char byte : Bytes(TextOf(*given[0]), CP_ACP)) {
      codes += (codes.empty() ? L"" : L" ") + std::to_wstring(byte);
    }
    return Answer(result, codes);
  });
  return host;
}

// The engine's site: hands out Host and reports script errors with file, line and
// column.
class ScriptSite final : public IActiveScriptSite {
 public:
  ScriptSite(std::wstring path, IDispatch* host, const Report& report)
      : path_(std::move(path)), host_(host), report_(report) {}

  int errors() const { return errors_; }

  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override {
    const bool known = IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IActiveScriptSite);
    *object = known ? this : nullptr;
    return known ? S_OK : E_NOINTERFACE;  // lives on the stack of Run, longer than the engine
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetLCID(LCID*) override { return E_NOTIMPL; }  // the system default
  STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;  // Host has no type information: engines bind it late
    if (item != nullptr) *item = nullptr;
    if (_wcsicmp(name, L"Host") != 0) return TYPE_E_ELEMENTNOTFOUND;
    if ((mask & SCRIPTINFO_IUNKNOWN) && item != nullptr) {
      host_->AddRef();
      *item = host_;
    }
    return S_OK;
  }
  STDMETHODIMP GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
  STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
  STDMETHODIMP OnEnterScript() override { return S_OK; }
  STDMETHODIMP OnLeaveScript() override { return S_OK; }
  STDMETHODIMP OnScriptError(IActiveScriptError* error) override;

 private:
  std::wstring path_;
  IDispatch* host_;
  const Report& report_;
  int errors_ = 0;
};

STDMETHODIMP ScriptSite::OnScriptError(IActiveScriptError* error) {
  if (report_.quit) return S_OK;  // the error Host.Quit provokes to end the script
  ++errors_;
  EXCEPINFO exception{};
  error->GetExceptionInfo(&exception);
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  DWORD context = 0;
  ULONG line = 0;
  LONG column = 0;
  error->GetSourcePosition(&context, &line, &column);
  Write(stderr, path_ + L"(" + std::to_wstring(line + 1) + L"," + std::to_wstring(column + 1) +
                    L"): script error " + std::to_wstring(exception.scode) + L": " +
                    (exception.bstrDescription != nullptr ? exception.bstrDescription : L"") + L"\n");
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  return S_OK;
}

int HostError(const std::wstring& message) {
  Write(stderr, L"pkscript: " + message + L"\n");
  return kHostError;
}

// Reads, parses and runs the whole script; errors reach the site.
int Run(const std::wstring& path, const std::vector<std::wstring>& arguments) {
  const std::wstring extension = std::filesystem::path(path).extension().wstring();
  const wchar_t* engineName = _wcsicmp(extension.c_str(), L".vbs") == 0  ? L"VBScript"
                              : _wcsicmp(extension.c_str(), L".js") == 0 ? L"JScript"
                                                                         : nullptr;
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (engineName == nullptr || !file.is_open()) return HostError(L"cannot read " + path + L" (.vbs or .js)");
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  std::wstring source(bytes.size(), L'\0');
  source.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), source.data(), static_cast<int>(source.size()))));
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
  Report report;
  TestObject* host = NewHost(report, arguments);
  ScriptSite site(path, host, report);
  HRESULT result = engine->SetScriptSite(&site);
  if (SUCCEEDED(result)) result = parser->InitNew();
  if (SUCCEEDED(result)) result = engine->AddNamedItem(L"Host", SCRIPTITEM_ISVISIBLE);
  if (SUCCEEDED(result)) {
    result = parser->ParseScriptText(source.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, nullptr);
  }
  // Code parsed before the engine starts runs when it starts.
  if (SUCCEEDED(result)) result = engine->SetScriptState(SCRIPTSTATE_CONNECTED);
  engine->Close();
  parser->Release();
  engine->Release();
  host->Release();

  if (report.failures > 0) {
    Write(stderr, std::to_wstring(report.failures) + L" failure(s) reported by " + path + L"\n");
  }
  if (site.errors() > 0) return kScriptError;
  if (FAILED(result) && !report.quit) return HostError(L"the script did not run (error " + std::to_wstring(result) + L")");
  if (report.quit && report.quitCode != 0) return report.quitCode;
  return report.failures > 0 ? kFailuresReported : kSuccess;
}

}  // namespace
}  // namespace pelikar::script_host

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc < 2) return pelikar::script_host::HostError(L"usage: pkscript SCRIPT [ARGUMENT...]");
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    return pelikar::script_host::HostError(L"COM did not initialize");
  }
  const int exitCode = pelikar::script_host::Run(argv[1], std::vector<std::wstring>(argv + 2, argv + argc));
  CoUninitialize();
  return exitCode;
}
