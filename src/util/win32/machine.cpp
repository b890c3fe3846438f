#include <windows.h>

#include "util/whole_text.h"
#include "util/win32/win32_services.h"

namespace pelikar::util::win32 {
namespace {

using DirectoryCall = UINT(WINAPI*)(LPSTR, UINT);

// The whole path, however long: the calls answer the capacity they need when the
// buffer is too small.
CodeString WholeDirectory(DirectoryCall call) {
  return ReadWholeText([call](char* buffer, std::size_t capacity) -> std::size_t {
    return call(buffer, static_cast<UINT>(capacity));
  });
}

}  // namespace

CodeString Win32Machine::WindowsDirectory() { return WholeDirectory(GetWindowsDirectoryA); }

CodeString Win32Machine::SystemDirectory() { return WholeDirectory(GetSystemDirectoryA); }

std::int32_t Win32Machine::DriveType(CodeView root) {
  return static_cast<std::int32_t>(GetDriveTypeA(CodeString(root).c_str()));
}

}  // namespace pelikar::util::win32
