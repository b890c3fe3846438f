// convert_phrases: a small late-bound client of the Pelikar control, the way a
// script or a form host uses it. It creates the control by its ProgID, finds the
// members by name and converts a few Persian phrases, typed on the US keys of the
// Persian layout, to both code pages. Each result is shown as the Persian text it
// stands for (UTF-8) and as its codes.
//
// The control must be registered first (regsvr32 Pelikar.ocx).
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "control/com/ansi_string.h"
#include "encoding/unicode_view.h"

namespace {

using pelikar::CodeString;
using pelikar::CodeView;
using pelikar::encoding::CodePage;

struct Phrase {
  const char* meaning;
  const char* typed;  // keyboard-typed text: Persian inside tilde spans
};

const Phrase kPhrases[] = {
    {"salaam (hello)", "~sghl~"},
    {"Farsi", "~thvsd~"},
    {"ketaab (book)", "~;jhf~"},
    {"keshvar-e maa Iran ast (our country is Iran)", "~;a,v lh hdvhk hsj~"},
    {"taarikh 1403 baraaye Pelikar (date 1403 for Pelikar)", "~jhvdo~ 1403 ~fvhd~ Pelikar"},
};

void Print(const std::string& text) { fwrite(text.data(), 1, text.size(), stdout); }

std::string CodesOf(CodeView text) {
  std::string codes;
  for (unsigned char code : text) {
    if (!codes.empty()) codes += ' ';
    codes += std::to_string(code);
  }
  return codes;
}

// The control, reached only through IDispatch.
class LateBoundControl {
 public:
  explicit LateBoundControl(IDispatch* control) : control_(control) {}
  LateBoundControl(const LateBoundControl&) = delete;
  LateBoundControl& operator=(const LateBoundControl&) = delete;
  ~LateBoundControl() { control_->Release(); }

  // Calls a member that takes one string and returns one; false (with a message on
  // stderr) when the call fails.
  bool Convert(const wchar_t* member, CodeView text, CodeString& result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
    HRESULT status = control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(status)) return Report(member, status, nullptr);

    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = pelikar::com::CodeToBstr(text);
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT value;
    VariantInit(&value);
    EXCEPINFO exception{};
    status = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &value,
                              &exception, nullptr);
    VariantClear(&argument);
    if (FAILED(status)) return Report(member, status, &exception);
    if (V_VT(&value) == VT_BSTR) result = pelikar::com::BstrToCode(V_BSTR(&value));
    VariantClear(&value);
    return true;
  }

 private:
  static bool Report(const wchar_t* member, HRESULT status, EXCEPINFO* exception) {
    std::string description;
    if (exception != nullptr) {
      if (exception->bstrDescription != nullptr) {
        for (const wchar_t* c = exception->bstrDescription; *c != 0; ++c) {
          description += static_cast<char>(*c < 128 ? *c : '?');
        }
      }
      if (exception->scode != 0) status = exception->scode;
      SysFreeString(exception->bstrDescription);
      SysFreeString(exception->bstrSource);
      SysFreeString(exception->bstrHelpFile);
    }
    fprintf(stderr, "convert_phrases: %ls failed with 0x%08lX %s\n", member,
            static_cast<unsigned long>(status), description.c_str());
    return false;
  }

  IDispatch* control_;
};

bool ShowPhrase(LateBoundControl& control, const Phrase& phrase) {
  Print(std::string(phrase.meaning) + "\n  typed:  " + phrase.typed + "\n");
  const struct {
    const wchar_t* member;
    CodePage codePage;
    const char* label;
  } conversions[] = {
      {L"En_Ir_To_nivo", CodePage::Nivo, "Nivo"},
      {L"En_To_Ir", CodePage::Ir, "Ir  "},
  };
  for (const auto& conversion : conversions) {
    CodeString result;
    if (!control.Convert(conversion.member, phrase.typed, result)) return false;
    Print(std::string("  ") + conversion.label + ":   " +
          pelikar::encoding::RenderUtf8(result, conversion.codePage) + "\n");
    Print("          codes " + CodesOf(result) + "\n");
  }
  Print("\n");
  return true;
}

int Run() {
  CLSID classId;
  if (FAILED(CLSIDFromProgID(L"PelikarLib.Pelikar", &classId))) {
    fputs("convert_phrases: the control is not registered (regsvr32 Pelikar.ocx)\n", stderr);
    return 1;
  }
  IDispatch* dispatch = nullptr;
  const HRESULT created = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                           reinterpret_cast<void**>(&dispatch));
  if (FAILED(created)) {
    fprintf(stderr, "convert_phrases: cannot create the control: 0x%08lX\n",
            static_cast<unsigned long>(created));
    return 1;
  }
  LateBoundControl control(dispatch);
  Print("The control stores Persian in visual order, the order in which a left-to-right\n"
        "field draws it: Latin words and digits inside a line come out reversed.\n\n");
  for (const Phrase& phrase : kPhrases) {
    if (!ShowPhrase(control, phrase)) return 1;
  }
  return 0;
}

}  // namespace

int main() {
  // UTF-8 bytes go out as they are.
  _setmode(_fileno(stdout), _O_BINARY);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int exitCode = 1;
  try {
    exitCode = Run();
  } catch (const std::exception& error) {
    fprintf(stderr, "convert_phrases: %s\n", error.what());
  }
  fflush(stdout);
  CoUninitialize();
  return exitCode;
}
