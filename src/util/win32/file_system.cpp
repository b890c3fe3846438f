#include <windows.h>

#include <string>

#include "common/run_time_error.h"
#include "util/win32/system_text.h"
#include "util/win32/win32_services.h"

namespace pelikar::util::win32 {
namespace {

// ERROR_NO_SUCH_DEVICE, which the headers here lack: a drive letter with no drive.
constexpr DWORD kNoSuchDevice = 433;

// Errors that only say the name leads nowhere: no such file, directory, drive or
// network share. The search then simply finds nothing.
bool LeadsNowhere(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
    case ERROR_INVALID_DRIVE:
    case kNoSuchDevice:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return true;
    default:
      return false;
  }
}

// What a failed search raises: the run-time reports a drive that is not ready and a
// malformed name alike as a bad file name.
[[noreturn]] void SearchFailed(DWORD error, CodeView name) {
  const int number = error == ERROR_ACCESS_DENIED ? kPathFileAccessError : kBadFileName;
  throw RunTimeError(number, AnsiToUtf8(name) + SystemErrorDetail(error));
}

int CopyErrorNumber(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return kPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return kPermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kDiskFull;
    case ERROR_INVALID_NAME: return kBadFileName;
    default: return kPathFileAccessError;
  }
}

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

Win32FileSystem::Win32FileSystem() {
  for (unsigned code = 0; code < fold_.size(); ++code) {
    char letter = static_cast<char>(code);
    CharUpperBuffA(&letter, 1);
    fold_[code] = static_cast<Byte>(letter);
  }
}

void Win32FileSystem::FindEntries(CodeView pattern,
                                  const std::function<bool(const DirectoryEntry&)>& visit) {
  const CodeString name(pattern);
  WIN32_FIND_DATAA data{};
  FindHandle search(FindFirstFileA(name.c_str(), &data));
  if (!search.valid()) {
    const DWORD error = GetLastError();
    if (LeadsNowhere(error)) return;
    SearchFailed(error, pattern);
  }
  do {
    if (!visit(DirectoryEntry{data.cFileName, data.dwFileAttributes})) return;
  } while (FindNextFileA(search.get(), &data));
}

CodeString Win32FileSystem::VolumeLabel(CodeView root) {
  const CodeString rootPath(root);
  char label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(rootPath.empty() ? nullptr : rootPath.c_str(), label, sizeof label,
                             nullptr, nullptr, nullptr, nullptr, 0)) {
    const DWORD error = GetLastError();
    if (LeadsNowhere(error)) return {};
    SearchFailed(error, root);
  }
  return label;
}

void Win32FileSystem::Copy(CodeView source, CodeView target) {
  const CodeString from(source);
  const CodeString to(target);
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
    const DWORD error = GetLastError();
    throw RunTimeError(CopyErrorNumber(error), "copying " + AnsiToUtf8(source) + " to " +
                                                   AnsiToUtf8(target) + SystemErrorDetail(error));
  }
}

}  // namespace pelikar::util::win32
