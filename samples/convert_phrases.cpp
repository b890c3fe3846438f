// convert_phrases: a small late-bound client of the Pelikar control, the way a
// script or a form host uses it. It creates the control by its ProgID and converts a
// few Persian phrases, typed on the US keys of the Persian layout, to both code pages
// with En_Ir_To_nivo and En_To_Ir, printing each result's codes: the codes of the
// system's ANSI code page that the control's strings carry.
//
// The control must be registered first (regsvr32 Pelikar.ocx).
#include <windows.h>

#include <cstdio>
#include <string>

#include "control_client.h"

namespace {

using pelikar::samples::CallFailed;
using pelikar::samples::ControlClient;

struct Phrase {
  const char* meaning;
  const wchar_t* typed;  // keyboard-typed text: Persian inside tilde spans
};

const Phrase kPhrases[] = {
    {"salaam (hello)", L"~sghl~"},
    {"Farsi", L"~thvsd~"},
    {"ketaab (book)", L"~;jhf~"},
    {"keshvar-e maa Iran ast (our country is Iran)", L"~;a,v lh hdvhk hsj~"},
    {"taarikh 1403 baraaye Pelikar (date 1403 for Pelikar)", L"~jhvdo~ 1403 ~fvhd~ Pelikar"},
};

// The codes of a returned string, as "240 135 232 183".
std::string CodesOf(VARIANT result) {
  std::string codes;
  if (V_VT(&result) == VT_BSTR) {
    const int length = static_cast<int>(SysStringLen(V_BSTR(&result)));
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, V_BSTR(&result), length, bytes.data(), length, nullptr,
                        nullptr);
    for (unsigned char code : bytes) codes += (codes.empty() ? "" : " ") + std::to_string(code);
  }
  VariantClear(&result);
  return codes;
}

}  // namespace

int main() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int exitCode = 0;
  try {
    ControlClient control;
    for (const Phrase& phrase : kPhrases) {
      VARIANT typed;
      V_VT(&typed) = VT_BSTR;
      V_BSTR(&typed) = SysAllocString(phrase.typed);
      std::printf("%s\n  typed: %ls\n", phrase.meaning, phrase.typed);
      std::printf("  Nivo codes %s\n", CodesOf(control.Call(L"En_Ir_To_nivo", {typed})).c_str());
      std::printf("  Ir codes   %s\n\n", CodesOf(control.Call(L"En_To_Ir", {typed})).c_str());
      VariantClear(&typed);
    }
  } catch (const CallFailed& failure) {
    std::fprintf(stderr, "convert_phrases: %s\n", failure.what());
    exitCode = 1;
  }
  CoUninitialize();
  return exitCode;
}
