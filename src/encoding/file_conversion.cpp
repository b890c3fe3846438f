#include "encoding/file_conversion.h"

#include <cstring>
#include <memory>
#include <random>
#include <system_error>

#include "common/file_io.h"
#include "common/run_time_error.h"
#include "encoding/visual_shaper.h"

namespace pelikar::encoding {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 1 << 20;

// The output is written to a file of its own beside the target and takes the target's
// place only when complete; until then the target is untouched. The partial file is
// removed if anything fails.
class ReplacementFile {
 public:
  explicit ReplacementFile(const fs::path& target) : target_(target), temp_(TempPathBeside(target)) {
    file_ = std::make_unique<File>(temp_, File::Mode::Write);
  }
  ~ReplacementFile() {
    if (committed_) return;
    file_.reset();
    std::error_code ignored;
    fs::remove(temp_, ignored);
  }

  void Write(std::string_view bytes) { file_->Write(bytes); }

  void Commit() {
    file_->Close();
    file_.reset();
    std::error_code error;
    fs::rename(temp_, target_, error);
    if (error) throw RunTimeError(FileErrorNumber(error, false, File::Mode::Write), PathText(target_));
    committed_ = true;
  }

 private:
  static fs::path TempPathBeside(const fs::path& target) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      fs::path candidate = target;
      candidate += ".pelikar-" + std::to_string(random() % 1000000000u) + ".tmp";
      std::error_code error;
      if (!fs::exists(candidate, error)) return candidate;
    }
    throw RunTimeError(kPathFileAccessError, PathText(target));
  }

  fs::path target_;
  fs::path temp_;
  std::unique_ptr<File> file_;
  bool committed_ = false;
};

// Splits the input into lines (a CR, or CR LF, ends one; a lone LF belongs to its
// line) and converts each through the shaper as it streams past.
class LineConverter {
 public:
  LineConverter() : shaper_(NivoTableSet()) {}

  void Feed(std::string_view bytes, CodeString& out) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
      if (afterCarriageReturn_ && bytes[pos] == '\n') {
        afterCarriageReturn_ = false;
        ++pos;
        continue;
      }
      afterCarriageReturn_ = false;
      const void* cr = std::memchr(bytes.data() + pos, '\r', bytes.size() - pos);
      const std::size_t end = cr ? static_cast<const char*>(cr) - bytes.data() : bytes.size();
      if (end > pos) {
        // The file holds the line in visual order already: no reversal.
        shaper_.Append(bytes.substr(pos, end - pos), out);
        lineOpen_ = true;
      }
      pos = end;
      if (cr != nullptr) {
        EndLine(out);
        afterCarriageReturn_ = true;
        ++pos;
      }
    }
  }

  void Finish(CodeString& out) {
    if (lineOpen_) EndLine(out);
  }

 private:
  void EndLine(CodeString& out) {
    shaper_.Finish(out);
    out += "\r\n";
    lineOpen_ = false;
  }

  VisualShaper shaper_;
  bool afterCarriageReturn_ = false;
  bool lineOpen_ = false;
};

std::uint64_t SizeOf(const fs::path& path) {
  std::error_code error;
  const auto size = fs::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

bool En_Ir_FileToNivo(const fs::path& inputFile, const fs::path& outputFile, const ProgressCallback& progress) {
  File input(inputFile, File::Mode::Read);
  std::error_code error;
  if (fs::is_directory(outputFile, error)) {
    throw RunTimeError(kPathFileAccessError, PathText(outputFile));
  }
  ReplacementFile output(outputFile);
  LoadNivoTables();

  const std::uint64_t total = SizeOf(inputFile);
  std::uint64_t done = 0;
  const auto buffer = std::make_unique<char[]>(kChunk);
  CodeString converted;
  converted.reserve(kChunk + kChunk / 2);
  LineConverter lines;
  while (const std::size_t got = input.Read(buffer.get(), kChunk)) {
    lines.Feed(std::string_view(buffer.get(), got), converted);
    if (converted.size() >= kChunk) {
      output.Write(converted);
      converted.clear();
    }
    done += got;
    if (progress) progress(done, total);
  }
  lines.Finish(converted);
  output.Write(converted);
  // The input may be the target itself: let go of it before the target is replaced.
  input.Close();
  output.Commit();
  return true;
}

}  // namespace pelikar::encoding
