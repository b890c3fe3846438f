// typing_session: a scripted typing session on a sample host form. Persian mode is
// switched on (the control's Farsi property, which is the Scroll Lock key) and the
// keys of a Persian sentence with a number, of a date and of an amount are pressed
// in the form's fields one by one, each going through FarsiDown and FarsiPress as a
// form's key handlers send them. Each field's content is then shown as the Persian
// text it holds (UTF-8) and as its codes.
//
// The control must be registered first (regsvr32 Pelikar.ocx).
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "control/com/ansi_string.h"
#include "encoding/unicode_view.h"
#include "text_box.h"
#include "typing_client.h"

namespace {

using pelikar::encoding::CodePage;
using pelikar::samples::TextBox;
using pelikar::samples::TypingClient;

struct Field {
  const wchar_t* name;
  const wchar_t* tag;
  CodePage codePage;  // of the control while the field is typed into
  const char* meaning;
  const char* keys;   // pressed on a US keyboard, one by one
};

const Field kForm[] = {
    {L"Text1", L"text", CodePage::Nivo, "man 3 ketaab kharidam (I bought 3 books), Nivo",
     "lk 3 ;jhf ovdnl"},
    {L"Text2", L"text", CodePage::Ir, "taarikh-e emruz 1403/01/01 ast (today is 1403/01/01), Ir",
     "jhvdo hlv,c 1403/01/01 hsj"},
    {L"MaskedBox1", L"shamsi", CodePage::Nivo, "a Shamsi date in its mask", "14030101"},
    {L"Amount", L"integer", CodePage::Nivo, "an integer field (the letter is refused)", "12a5"},
};

void Print(const std::string& text) { fwrite(text.data(), 1, text.size(), stdout); }

std::string CodesOf(pelikar::CodeView text) {
  std::string codes;
  for (unsigned char code : text) {
    if (!codes.empty()) codes += ' ';
    codes += std::to_string(code);
  }
  return codes;
}

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text != 0; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

void TypeField(TypingClient& client, const Field& field) {
  client.Put(L"CodePage", static_cast<short>(field.codePage));
  TextBox* box = new TextBox(field.name, field.tag);
  client.Type(*box, field.keys);
  BSTR text = SysAllocStringLen(box->Text().data(), static_cast<UINT>(box->Text().size()));
  const pelikar::CodeString codes = pelikar::com::BstrToCode(text);
  SysFreeString(text);
  Print(Narrow(field.name) + " (" + Narrow(field.tag) + "): " + field.meaning + "\n");
  Print(std::string("  keys:  ") + field.keys + "\n");
  Print("  shows: " + pelikar::encoding::RenderUtf8(codes, field.codePage) + "\n");
  Print("  codes: " + CodesOf(codes) + "\n\n");
  box->Release();
}

int Run() {
  TypingClient client;
  client.Put(L"Farsi", -1);  // Persian mode on
  Print("Typing into the fields of a sample form through FarsiDown and FarsiPress.\n"
        "Each field holds Persian in visual order: the line reads right to left as shown,\n"
        "numbers and dates read left to right.\n\n");
  for (const Field& field : kForm) TypeField(client, field);
  return 0;
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 bytes go out as they are
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int exitCode = 1;
  try {
    exitCode = Run();
  } catch (const std::exception& error) {
    fprintf(stderr, "typing_session: %s\n", error.what());
  }
  fflush(stdout);
  CoUninitialize();
  return exitCode;
}
