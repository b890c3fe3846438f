#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform.h"

namespace pelikar::cli {
namespace {

DWORD StdHandleId(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input: return STD_INPUT_HANDLE;
    case StandardStream::Output: return STD_OUTPUT_HANDLE;
    case StandardStream::Error: return STD_ERROR_HANDLE;
  }
  return STD_OUTPUT_HANDLE;
}

UINT savedOutputCodePage = 0;

void RestoreOutputCodePage() { SetConsoleOutputCP(savedOutputCodePage); }

}  // namespace

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// GetConsoleMode rather than _isatty: _isatty also says yes for NUL and other
// character devices, which are no place for a rendering.
bool IsTerminal(StandardStream stream) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(StdHandleId(stream)), &mode) != 0;
}

void UseUtf8Terminal() {
  if (savedOutputCodePage != 0) return;
  savedOutputCodePage = GetConsoleOutputCP();
  if (savedOutputCodePage == CP_UTF8) return;
  if (SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreOutputCodePage);
}

}  // namespace pelikar::cli
