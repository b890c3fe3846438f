// dispatch_typing_bench: how long one keystroke takes when a late-bound client sends
// it through IDispatch to the registered control, as a form's key handlers do
// (FarsiDown, the box's own key-down, FarsiPress, the box's own key-press), in a
// text box holding 10, 1,000 and 30,000 characters of Persian text, the caret in the
// middle at first. Letters and Backspaces alternate, so the field keeps its length;
// both keys go through FarsiDown and FarsiPress.
// Reported, never asserted; the goal is under 50 microseconds a key at 1,000
// characters, growing linearly with the field's length.
#include <windows.h>

#include <cstdio>
#include <string>

#include "text_box.h"
#include "control_client.h"

namespace {

using pelikar::samples::TextBox;
using pelikar::samples::ControlClient;

constexpr short kBackspace = 8;
constexpr double kSecondsPerSize = 0.5;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Persian letters in the Nivo code page, as ANSI characters of the box.
std::wstring PersianText(std::size_t length) {
  std::wstring text;
  for (std::size_t i = 0; i < length; ++i) {
    const char code = static_cast<char>(i % 7 == 6 ? 32 : 0x8A + i % 40);
    wchar_t wide = 0;
    MultiByteToWideChar(CP_ACP, 0, &code, 1, &wide, 1);
    text += wide;
  }
  return text;
}

// Microseconds a key, over as many keys as fit in the time given.
double MicrosecondsAKey(ControlClient& client, TextBox& box) {
  for (int i = 0; i < 20; ++i) {  // warm up
    client.Type(box, "s");
    client.Press(box, kBackspace, 0, kBackspace);
  }
  long keys = 0;
  const double start = Now();
  double elapsed = 0;
  do {
    for (int i = 0; i < 10; ++i) {
      client.Type(box, "s");
      client.Press(box, kBackspace, 0, kBackspace);
    }
    keys += 20;
    elapsed = Now() - start;
  } while (elapsed < kSecondsPerSize);
  return elapsed * 1e6 / static_cast<double>(keys);
}

int Run() {
  ControlClient client;
  client.Put(L"Farsi", -1);
  std::printf("%-12s %16s %22s\n", "field chars", "us a key", "us a key per 1000 ch");
  for (const std::size_t length : {10, 1000, 30000}) {
    TextBox* box = new TextBox(L"Text1", L"text");
    box->Fill(PersianText(length), static_cast<long>(length / 2));
    const double perKey = MicrosecondsAKey(client, *box);
    std::printf("%-12zu %16.1f %22.2f\n", length, perKey,
                perKey * 1000.0 / static_cast<double>(length));
    if (box->Text().size() != length) {
      std::fprintf(stderr, "dispatch_typing_bench: the field changed its length\n");
      box->Release();
      return 1;
    }
    box->Release();
  }
  return 0;
}

}  // namespace

int main() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int exitCode = 1;
  try {
    exitCode = Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dispatch_typing_bench: %s\n", error.what());
  }
  CoUninitialize();
  return exitCode;
}
