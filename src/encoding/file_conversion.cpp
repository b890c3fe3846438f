#include "encoding/file_conversion.h"

#include <exception>
#include <system_error>
#include <thread>

#include "common/block_queue.h"
#include "common/file_io.h"
#include "common/replacement_file.h"
#include "common/run_time_error.h"
#include "encoding/table_shaper.h"
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
  LineConverter() : table_(ShapingTableOf(CodePage::Nivo)), longLine_(NivoTableSet()) {}

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
    TypeAndShapeLines(table_, lines, reinterpret_cast<Byte*>(work_.data()));
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

  const ShapingTable& table_;
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

// Reads the input a block at a time into `blocks`, until its end or a cancel.
void ReadBlocks(File& input, BlockQueue<CodeString>& blocks) {
  for (;;) {
    CodeString block(kChunk, '\0');
    block.resize(input.Read(block.data(), kChunk));
    if (block.empty() || !blocks.Push(std::move(block))) break;
  }
  blocks.Close();
}

// A thread that runs a task and keeps what it throws, to be raised by the thread
// that joins it. On a failure it cancels the queue it shares with the caller.
class Stage {
 public:
  template <class Task>
  Stage(BlockQueue<CodeString>& queue, Task task)
      : queue_(queue), thread_([this, task] {
          try {
            task();
          } catch (...) {
            error_ = std::current_exception();
            queue_.Cancel();
          }
        }) {}
  ~Stage() {
    if (!thread_.joinable()) return;
    queue_.Cancel();
    thread_.join();
  }
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  // Waits for the task to end; what it threw, if anything.
  std::exception_ptr Join() {
    thread_.join();
    return error_;
  }

 private:
  BlockQueue<CodeString>& queue_;
  std::exception_ptr error_;
  std::thread thread_;
};

// Converts the blocks as they come and hands the output on in blocks of about kChunk.
void ConvertBlocks(BlockQueue<CodeString>& in, BlockQueue<CodeString>& out, std::uint64_t total,
                   const ProgressCallback& progress) {
  LineConverter lines;
  CodeString block, converted;
  std::uint64_t done = 0;
  while (in.Pop(block)) {
    lines.Feed(block, converted);
    if (converted.size() >= kChunk) {
      if (!out.Push(std::exchange(converted, {}))) return;
      converted.reserve(kChunk + kChunk / 2);
    }
    done += block.size();
    if (progress) progress(done, total);
  }
  lines.Finish(converted);
  out.Push(std::move(converted));
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

  // Reading, converting and writing overlap, a few blocks apart.
  BlockQueue<CodeString> read(2), converted(2);
  std::exception_ptr failed;
  {
    Stage reader(read, [&] { ReadBlocks(input, read); });
    Stage writer(converted, [&] {
      CodeString block;
      while (converted.Pop(block)) output.Write(block);
    });
    try {
      ConvertBlocks(read, converted, SizeOf(inputFile), progress);
      converted.Close();
    } catch (...) {
      failed = std::current_exception();
      converted.Cancel();
    }
    read.Cancel();  // the conversion has taken every block, or stopped early
    for (std::exception_ptr error : {writer.Join(), reader.Join()}) {
      if (!failed) failed = error;
    }
  }
  if (failed) std::rethrow_exception(failed);
  // The input may be the target itself: let go of it before the target is replaced.
  input.Close();
  output.Commit();
  return true;
}

}  // namespace pelikar::encoding
