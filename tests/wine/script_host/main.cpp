// pkscript: runs a VBScript (.vbs) or JScript (.js) file with a "Host" object, and
// unlike the system's script host tells failure by its exit code:
//   0  the script ran to its end (or called Host.Quit 0) and reported no failure
//   1  the script reported failures with Host.Fail
//   2  the script did not parse or stopped on a run-time error (reported on stderr
//      with file, line and column)
//   3  the host could not run the script at all
//   n  the script called Host.Quit n
// usage: pkscript SCRIPT [ARGUMENT...]   (the arguments are Host.Argument(0)...)
#include <windows.h>
#include <activscp.h>
#include <fcntl.h>
#include <io.h>

#include <cwctype>
#include <string>
#include <vector>

#include "host_object.h"
#include "script_site.h"

namespace pelikar::script_host {
namespace {

enum ExitCode { kSuccess = 0, kFailuresReported = 1, kScriptError = 2, kHostError = 3 };

bool ReadScript(const std::wstring& path, std::wstring& source) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0);
  source.assign(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, source.data(), size);
  return true;
}

const wchar_t* EngineFor(const std::wstring& path) {
  const std::size_t dot = path.find_last_of(L'.');
  std::wstring extension = dot == std::wstring::npos ? L"" : path.substr(dot);
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  if (extension == L".vbs") return L"VBScript";
  if (extension == L".js") return L"JScript";
  return nullptr;
}

int Fail(const std::wstring& message) {
  WriteUtf8(stderr, L"pkscript: " + message + L"\n");
  return kHostError;
}

// Parses and runs the whole script; errors reach the site.
HRESULT Execute(IActiveScript* engine, IActiveScriptSite* site, const std::wstring& source) {
  // mingw's uuid library lacks the IActiveScriptParse identifiers; the header's
  // __uuidof declaration supplies the right one for 32 and 64 bits.
  IActiveScriptParse* parser = nullptr;
  HRESULT result = engine->QueryInterface(__uuidof(IActiveScriptParse),
                                          reinterpret_cast<void**>(&parser));
  if (FAILED(result)) return result;
  result = engine->SetScriptSite(site);
  if (SUCCEEDED(result)) result = parser->InitNew();
  if (SUCCEEDED(result)) result = engine->AddNamedItem(L"Host", SCRIPTITEM_ISVISIBLE);
  if (SUCCEEDED(result)) {
    EXCEPINFO exception{};
    result = parser->ParseScriptText(source.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr,
                                     &exception);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
  }
  // Code parsed before the engine starts runs when it starts.
  if (SUCCEEDED(result)) result = engine->SetScriptState(SCRIPTSTATE_CONNECTED);
  engine->Close();
  parser->Release();
  return result;
}

int Run(const std::wstring& path, std::vector<std::wstring> arguments) {
  const wchar_t* engineName = EngineFor(path);
  if (engineName == nullptr) return Fail(L"no script engine for " + path + L" (.vbs or .js)");
  std::wstring source;
  if (!ReadScript(path, source)) return Fail(L"cannot read " + path);
  CLSID engineId;
  if (FAILED(CLSIDFromProgID(engineName, &engineId))) {
    return Fail(std::wstring(L"the ") + engineName + L" engine is not registered");
  }
  IActiveScript* engine = nullptr;
  if (FAILED(CoCreateInstance(engineId, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                              reinterpret_cast<void**>(&engine)))) {
    return Fail(std::wstring(L"cannot create the ") + engineName + L" engine");
  }

  auto* host = new HostObject(std::move(arguments));
  auto* site = new ScriptSite(path, host);
  const HRESULT result = Execute(engine, site, source);
  engine->Release();

  int exitCode = kSuccess;
  if (site->errors() > 0) {
    exitCode = kScriptError;
  } else if (FAILED(result) && !host->quitRequested()) {
    exitCode = Fail(L"the script did not run (error " + std::to_wstring(result) + L")");
  } else if (host->quitRequested() && host->quitCode() != 0) {
    exitCode = host->quitCode();
  } else if (host->failures() > 0) {
    exitCode = kFailuresReported;
  }
  if (host->failures() > 0) {
    WriteUtf8(stderr, std::to_wstring(host->failures()) + L" failure(s) reported by " + path + L"\n");
  }
  site->Release();
  host->Release();
  return exitCode;
}

}  // namespace
}  // namespace pelikar::script_host

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc < 2) return pelikar::script_host::Fail(L"usage: pkscript SCRIPT [ARGUMENT...]");
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    return pelikar::script_host::Fail(L"COM did not initialize");
  }
  const int exitCode =
      pelikar::script_host::Run(argv[1], std::vector<std::wstring>(argv + 2, argv + argc));
  CoUninitialize();
  return exitCode;
}
