#include "encoding/file_conversion.h"

#include <cstring>
#include <memory>
#include <random>
#include <system_error>

#include "common/file_io.h"
#include "common/run_time_error.h"
#include "encoding/shaping_rules.h"
#include "encoding/visual_shaper.h"

namespace pelikar::encoding {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 1 << 20;

// The output is written to a file of its own beside the target and takes the target's
// place only when complete; until then the target is untouched. The partial file is
// removed if anything fails. A target reached through a symbolic link is the file the
// link names (the link stays a link), and the new file keeps the old one's permissions.
// A target that is no plain file (a device, a pipe) cannot be replaced: the output goes
// straight into it. A read-only target is refused as opening it would be. Failures
// name the target, never the file beside it.
class ReplacementFile {
 public:
  explicit ReplacementFile(const fs::path& target) : target_(Resolved(target)) {
    std::error_code error;
    const fs::file_status status = fs::status(target_, error);
    Named([&] {
      if (fs::exists(status) && !fs::is_regular_file(status)) {
        file_ = std::make_unique<File>(target_, File::Mode::Write);
        return;
      }
      constexpr fs::perms kWritable =
          fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
      if (fs::exists(status) && (status.permissions() & kWritable) == fs::perms::none) {
        throw RunTimeError(kPathFileAccessError);
      }
      temp_ = TempPathBeside(target_);
      file_ = std::make_unique<File>(temp_, File::Mode::Write);
      if (fs::exists(status)) {
        fs::permissions(temp_, status.permissions(), fs::perm_options::replace, error);
      }
    });
  }
  ~ReplacementFile() {
    if (committed_ || temp_.empty()) return;
    file_.reset();
    std::error_code ignored;
    // It may carry a read-only target's permissions, which would keep it on Windows.
    fs::permissions(temp_, fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove(temp_, ignored);
  }

  void Write(std::string_view bytes) {
    Named([&] { file_->Write(bytes); });
  }

  void Commit() {
    Named([&] { file_->Close(); });
    file_.reset();
    if (!temp_.empty()) {
      std::error_code error;
      fs::rename(temp_, target_, error);
      if (error) {
        throw RunTimeError(FileErrorNumber(error, false, File::Mode::Write), PathText(target_));
      }
    }
    committed_ = true;
  }

 private:
  // The file at the end of a chain of links, which need not exist yet.
  static fs::path Resolved(fs::path target) {
    constexpr int kMostLinks = 40;
    std::error_code error;
    for (int link = 0; link < kMostLinks && fs::is_symlink(fs::symlink_status(target, error));
         ++link) {
      const fs::path named = fs::read_symlink(target, error);
      if (error) break;
      target = named.is_absolute() ? named : target.parent_path() / named;
    }
    return target;
  }

  // A short name in the target's folder: one derived from a long target name could
  // pass the longest name the platform takes.
  static fs::path TempPathBeside(const fs::path& target) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = target.parent_path() /
                                 (".pelikar-" + std::to_string(random() % 1000000000u) + ".tmp");
      std::error_code error;
      if (!fs::exists(candidate, error)) return candidate;
    }
    throw RunTimeError(kPathFileAccessError, PathText(target));
  }

  // Runs a step on the output file; its failure is told with the target's name.
  template <class Step>
  void Named(Step&& step) {
    try {
      step();
    } catch (const RunTimeError& failure) {
      throw RunTimeError(failure.number(), PathText(target_));
    }
  }

  fs::path target_;
  fs::path temp_;  // empty when the output goes straight into the target
  std::unique_ptr<File> file_;
  bool committed_ = false;
};

// Splits the input into lines (a CR, or CR LF, ends one; a lone LF belongs to its
// line) and converts each as a text of its own. Complete lines are converted a block
// at a time; a line longer than a block streams through a shaper of its own.
class LineConverter {
 public:
  LineConverter() : tables_(NivoTableSet()), longLine_(tables_) {}

  void Feed(std::string_view bytes, CodeString& out) {
    std::size_t pos = 0;
    if (afterCarriageReturn_ && !bytes.empty() && bytes[0] == '\n') pos = 1;  // a CR LF split between reads
    afterCarriageReturn_ = false;
    if (inLongLine_ && !ContinueLongLine(bytes, pos, out)) return;
    pending_.append(bytes.substr(pos));
    const std::size_t lastEnd = pending_.rfind('\r');
    if (lastEnd != CodeString::npos) {
      ConvertLines(std::string_view(pending_).substr(0, lastEnd + 1), out);
      std::size_t rest = lastEnd + 1;
      if (rest == pending_.size()) {
        afterCarriageReturn_ = true;
      } else if (pending_[rest] == '\n') {
        ++rest;
      }
      pending_.erase(0, rest);
    }
    if (pending_.size() > kChunk) {
      inLongLine_ = true;
      longLine_.Append(pending_, out);
      pending_.clear();
    }
  }

  void Finish(CodeString& out) {
    if (inLongLine_) {
      EndLongLine(out);
    } else if (!pending_.empty()) {
      pending_ += '\r';
      ConvertLines(pending_, out);
    }
  }

 private:
  // Streams the long line on until its end; false if the bytes hold no end.
  bool ContinueLongLine(std::string_view bytes, std::size_t& pos, CodeString& out) {
    const std::size_t end = bytes.find('\r', pos);
    longLine_.Append(bytes.substr(pos, end == std::string_view::npos ? bytes.size() - pos : end - pos), out);
    if (end == std::string_view::npos) return false;
    EndLongLine(out);
    pos = end + 1;
    if (pos == bytes.size()) {
      afterCarriageReturn_ = true;
    } else if (bytes[pos] == '\n') {
      ++pos;
    }
    return true;
  }

  void EndLongLine(CodeString& out) {
    longLine_.Finish(out);
    out += "\r\n";
    inLongLine_ = false;
  }

  // Converts lines that each end with CR (or CR LF). The line ends have no forms, so
  // nothing joins across them and the whole block shapes as one text.
  void ConvertLines(std::string_view lines, CodeString& out) {
    work_.resize(lines.size());
    auto* w = reinterpret_cast<Byte*>(work_.data());
    SpanTyper typer(tables_);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto code = static_cast<Byte>(lines[i]);
      if (code == '\r') typer.Reset();  // every line has its own tilde spans
      w[i] = typer.Type(code);
    }
    detail::ShapeText(tables_, w, work_.size());
    std::size_t start = 0;
    while (start < work_.size()) {
      const std::size_t end = work_.find('\r', start);
      std::string_view line = std::string_view(work_).substr(start, end - start);
      out.append(TrimSpaces(line));
      out += "\r\n";
      start = end + 1;
      if (start < work_.size() && work_[start] == '\n') ++start;  // the LF of CR LF
    }
  }

  const TableSet& tables_;
  CodeString pending_;  // the start of a line whose end has not come yet
  CodeString work_;
  bool afterCarriageReturn_ = false;
  bool inLongLine_ = false;
  VisualShaper longLine_;
};

std::uint64_t SizeOf(const fs::path& path) {
  std::error_code error;
  const auto size = fs::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

bool En_Ir_FileToNivo(const fs::path& inputFile, const fs::path& outputFile, const ProgressCallback& progress) {
  if (inputFile.empty() || outputFile.empty()) throw RunTimeError(kBadFileName, "a file name is empty");
  File input(inputFile, File::Mode::Read);
  std::error_code error;
  if (fs::is_directory(outputFile, error)) {
    throw RunTimeError(kPathFileAccessError, PathText(outputFile));
  }
  ReplacementFile output(outputFile);

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
