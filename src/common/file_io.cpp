#include "common/file_io.h"

#include <cerrno>

#include "common/run_time_error.h"

namespace pelikar {
namespace {

std::FILE* OpenFile(const std::filesystem::path& path, File::Mode mode) {
#ifdef _WIN32
  return _wfopen(path.c_str(), mode == File::Mode::Read ? L"rb" : L"wb");
#else
  return std::fopen(path.c_str(), mode == File::Mode::Read ? "rb" : "wb");
#endif
}

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

int FileErrorNumber(std::error_code error, bool opening, File::Mode mode) {
  using std::errc;
  if (error == errc::no_such_file_or_directory) {
    return opening && mode == File::Mode::Read ? kFileNotFound : kPathNotFound;
  }
  if (error == errc::not_a_directory) return kPathNotFound;
  if (error == errc::filename_too_long || error == errc::invalid_argument) return kBadFileName;
  if (error == errc::no_space_on_device) return kDiskFull;
  if (error == errc::io_error) return kDeviceIoError;
  return kPathFileAccessError;  // access denied, a directory, a read-only file system...
}

File::File(const std::filesystem::path& path, Mode mode) : path_(path) {
  errno = 0;
  file_ = OpenFile(path, mode);
  if (file_ == nullptr) throw RunTimeError(FileErrorNumber(std::error_code(errno, std::generic_category()), true, mode), PathText(path));
}

File::~File() {
  if (file_ != nullptr) std::fclose(file_);
}

void File::Fail(int error) const { throw RunTimeError(FileErrorNumber(std::error_code(error, std::generic_category()), false, Mode::Write), PathText(path_)); }

std::size_t File::Read(char* buffer, std::size_t size) {
  errno = 0;
  const std::size_t got = std::fread(buffer, 1, size, file_);
  if (got < size && std::ferror(file_)) Fail(errno != 0 ? errno : EIO);
  return got;
}

void File::Write(std::string_view bytes) {
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(errno != 0 ? errno : EIO);
}

void File::Close() {
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) Fail(errno != 0 ? errno : EIO);
}

}  // namespace pelikar
