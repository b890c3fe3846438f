#pragma once
// Files opened by path with the failures a host understands: every failure raises a
// RunTimeError with the run-time's standard file error number.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace pelikar {

class File {
 public:
  enum class Mode { Read, Write };
  File(const std::filesystem::path& path, Mode mode);
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Reads up to size bytes; returns 0 at the end of the file.
  std::size_t Read(char* buffer, std::size_t size);
  void Write(std::string_view bytes);
  // Flushes and closes, raising what the system reports (a full disk shows here).
  void Close();

 private:
  [[noreturn]] void Fail(int error) const;

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
};

// A path as UTF-8 text for messages, whatever the platform's path encoding.
std::string PathText(const std::filesystem::path& path);

// The run-time error number for a system error.
int FileErrorNumber(std::error_code error, bool opening, File::Mode mode);

}  // namespace pelikar
