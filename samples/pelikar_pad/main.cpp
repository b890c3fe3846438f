// Pelikar Pad: a small host application of the control, for people trying it and for
// the end-to-end tests that type into it with real key events.
//   pelikar_pad [--persian] [--fonts DIR] [--dump FILE] [SIGNAL_DIR]
// --persian starts in Persian typing (F12 switches); --fonts registers nivo2.ttf and
// nivo_ir.ttf from DIR; --dump writes every field's codes when the form closes. With a
// SIGNAL_DIR (the screenshot harness's), the program writes SIGNAL_DIR\ready with the
// screen rectangles of the form ("window") and of each field once it is drawn, and
// closes the form when SIGNAL_DIR\done appears.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "pad_form.h"

namespace {

using pelikar::samples::CallFailed;
using pelikar::samples::PadForm;

constexpr UINT kSignalPollMs = 100;
constexpr int kPollsBeforeReady = 4;  // for the first paint to reach the screen

struct Options {
  bool persian = false;
  std::wstring fonts;
  std::wstring dump;
  std::wstring signals;
};

PadForm* form = nullptr;
std::wstring signalDir;
int polls = 0;

bool ReadOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--persian") {
      options.persian = true;
    } else if ((argument == L"--fonts" || argument == L"--dump") && i + 1 < argc) {
      (argument == L"--fonts" ? options.fonts : options.dump) = argv[++i];
    } else if (argument.rfind(L"--", 0) != 0 && options.signals.empty()) {
      options.signals = argument;
    } else {
      return false;
    }
  }
  return true;
}

void WriteRect(FILE* file, const std::wstring& name, const RECT& r) {
  std::fprintf(file, "%ls %ld %ld %ld %ld\n", name.c_str(), r.left, r.top, r.right - r.left,
               r.bottom - r.top);
}

// The fields' insides on the screen, without their frames.
void WriteReady() {
  const std::wstring path = signalDir + L"\\ready";
  FILE* file = _wfopen((path + L".part").c_str(), L"w");
  if (file == nullptr) return;
  RECT frame;
  GetWindowRect(form->window(), &frame);
  WriteRect(file, L"window", frame);
  for (const auto& field : form->fields()) {
    RECT inside;
    GetClientRect(field.field->window(), &inside);
    MapWindowPoints(field.field->window(), nullptr, reinterpret_cast<POINT*>(&inside), 2);
    InflateRect(&inside, -2, -2);
    WriteRect(file, field.field->name(), inside);
  }
  std::fclose(file);
  MoveFileW((path + L".part").c_str(), path.c_str());
}

void CALLBACK PollSignals(HWND, UINT, UINT_PTR, DWORD) {
  if (++polls == kPollsBeforeReady) WriteReady();
  if (GetFileAttributesW((signalDir + L"\\done").c_str()) != INVALID_FILE_ATTRIBUTES) {
    PostMessageW(form->window(), WM_CLOSE, 0, 0);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::fputs("usage: pelikar_pad [--persian] [--fonts DIR] [--dump FILE] [SIGNAL_DIR]\n", stderr);
    return 2;
  }
  for (const wchar_t* file : {L"nivo2.ttf", L"nivo_ir.ttf"}) {
    if (options.fonts.empty()) break;
    const std::wstring path = options.fonts + L"\\" + file;
    if (AddFontResourceW(path.c_str()) == 0) {
      std::fwprintf(stderr, L"pelikar_pad: the font %ls could not be registered\n", path.c_str());
      return 1;
    }
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int result = 0;
  try {
    PadForm pad(options.persian, options.dump);
    form = &pad;
    signalDir = options.signals;
    if (!signalDir.empty()) SetTimer(nullptr, 0, kSignalPollMs, PollSignals);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    form = nullptr;
  } catch (const CallFailed& failure) {
    std::fprintf(stderr, "pelikar_pad: %s\n", failure.what());
    result = 1;
  }
  CoUninitialize();
  return result;
}
