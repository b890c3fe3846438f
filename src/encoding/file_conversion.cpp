#include "encoding/file_conversion.h"

#include <cstring>
#include <memory>
#include <system_error>

#include "common/file_io.h"
#include "common/replacement_file.h"
#include "common/run_time_error.h"
#include "encoding/shaping_rules.h"
#include "encoding/visual_shaper.h"

namespace pelikar::encoding {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 1 << 20;

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
