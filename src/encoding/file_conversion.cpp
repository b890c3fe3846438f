#include "encoding/file_conversion.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <future>
#include <memory>
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

// Bytes of a block, made without clearing them (a string would clear every byte it
// grows by): each byte is written before it is read.
struct Bytes {
  static Bytes OfCapacity(std::size_t capacity) { return {std::make_unique_for_overwrite<char[]>(capacity), 0}; }
  static Bytes Of(CodeView text) {
    Bytes bytes = OfCapacity(text.size());
    if (!text.empty()) std::memcpy(bytes.data.get(), text.data(), text.size());
    bytes.size = text.size();
    return bytes;
  }
  CodeView view() const { return {data.get(), size}; }

  std::unique_ptr<char[]> data;
  std::size_t size = 0;
};

// Converts lines that each end with CR (or CR LF) and appends them to `out`, each
// ended by CR LF; `out` has room for twice the lines (a line grows by one code at
// most: a lone CR becomes CR LF). The line ends have no forms, so nothing joins
// across them and the lines shape as one text. They are shaped where they go and
// trimmed and ended in place: a line only moves left, until a lone CR would make it
// run into the next one; from there the rest is moved out of the way first.
void ConvertLines(const ShapingTable& table, CodeView lines, Bytes& out) {
  if (lines.empty()) return;
  char* to = out.data.get() + out.size;
  TypeAndShapeLines(table, lines, reinterpret_cast<Byte*>(to));
  const char* from = to;
  const char* end = to + lines.size();
  std::unique_ptr<char[]> rest;
  while (from < end) {
    const char* lineEnd = static_cast<const char*>(std::memchr(from, '\r', static_cast<std::size_t>(end - from)));
    const char* next = lineEnd + 1;
    if (next < end && *next == '\n') ++next;  // the LF of CR LF
    const CodeView trimmed = TrimSpaces(CodeView(from, static_cast<std::size_t>(lineEnd - from)));
    const std::size_t length = trimmed.size();
    const char* line = length == 0 ? from : trimmed.data();  // an empty view may point nowhere
    if (rest == nullptr && to + length + 2 > next) {
      const std::size_t left = static_cast<std::size_t>(end - from);
      rest = std::make_unique_for_overwrite<char[]>(left);
      std::memcpy(rest.get(), from, left);
      line = rest.get() + (line - from);
      next = rest.get() + (next - from);
      end = rest.get() + left;
    }
    if (line != to && length != 0) std::memmove(to, line, length);
    to += length;
    *to++ = '\r';
    *to++ = '\n';
    from = next;
  }
  out.size = static_cast<std::size_t>(to - out.data.get());
}

// The lines of `first` and then those of `second`, converted into one block.
Bytes ConvertedLines(const ShapingTable& table, CodeView first, CodeView second = {}) {
  Bytes out = Bytes::OfCapacity(2 * (first.size() + second.size()));
  ConvertLines(table, first, out);
  ConvertLines(table, second, out);
  return out;
}

// A piece of the output, in the order of the input: complete lines converted on a
// thread of their own, or the converted bytes of a long line.
using Piece = std::future<Bytes>;

Piece Ready(Bytes bytes) {
  std::promise<Bytes> ready;
  ready.set_value(std::move(bytes));
  return ready.get_future();
}

// Splits the input into lines (a CR, or CR LF, ends one; a lone LF belongs to its
// line). The complete lines of each block convert as one piece, on a thread of their
// own, so that blocks convert side by side; a line longer than a block streams
// through a shaper of its own.
class LineSplitter {
 public:
  using Emit = std::function<bool(Piece)>;

  LineSplitter() : table_(ShapingTableOf(CodePage::Nivo)), longLine_(NivoTableSet()) {}

  // False once `emit` refuses a piece.
  bool Feed(Bytes block, const Emit& emit) {
    const CodeView bytes = block.view();
    std::size_t pos = 0;
    if (afterCarriageReturn_ && !bytes.empty() && bytes[0] == '\n') pos = 1;  // a CR LF split between reads
    afterCarriageReturn_ = false;
    if (inLongLine_) {
      CodeString out;
      const bool ended = ContinueLongLine(bytes, pos, out);
      if (!emit(Ready(Bytes::Of(out)))) return false;
      if (!ended) return true;
    }
    const std::size_t lastEnd = bytes.rfind('\r');
    if (lastEnd == CodeView::npos || lastEnd < pos) {
      pending_.append(bytes.substr(pos));
      return pending_.size() <= kChunk || StartLongLine(emit);
    }
    // The line begun in an earlier block ends at the first CR; the lines after it
    // convert straight from the block.
    std::size_t from = bytes.find('\r', pos) + 1;
    pending_.append(bytes.substr(pos, from - pos));
    if (from < bytes.size() && bytes[from] == '\n') ++from;
    CodeString tail(bytes.substr(PastLineEnd(bytes, lastEnd + 1)));
    block.size = std::max(from, lastEnd + 1);
    return emit(std::async(std::launch::async, [&table = table_, head = std::exchange(pending_, std::move(tail)),
                                                block = std::move(block), from] {
      return ConvertedLines(table, head, block.view().substr(from));
    }));
  }

  bool Finish(const Emit& emit) {
    if (!inLongLine_) {
      if (pending_.empty()) return true;
      pending_ += '\r';
      return emit(Ready(ConvertedLines(table_, pending_)));
    }
    CodeString out;
    EndLongLine(out);
    return emit(Ready(Bytes::Of(out)));
  }

 private:
  bool StartLongLine(const Emit& emit) {
    inLongLine_ = true;
    CodeString out;
    longLine_.Append(pending_, out);
    pending_.clear();
    return emit(Ready(Bytes::Of(out)));
  }

  // Streams the long line on until its end; false if the bytes hold no end.
  bool ContinueLongLine(std::string_view bytes, std::size_t& pos, CodeString& out) {
    const std::size_t end = bytes.find('\r', pos);
    longLine_.Append(bytes.substr(pos, end == std::string_view::npos ? bytes.size() - pos : end - pos), out);
    if (end == std::string_view::npos) return false;
    EndLongLine(out);
    pos = PastLineEnd(bytes, end + 1);
    return true;
  }

  // Where the next line starts, given the place after a line's CR: past the LF of a
  // CR LF. A CR that ends the bytes may have its LF at the start of the next read.
  std::size_t PastLineEnd(std::string_view bytes, std::size_t afterCarriageReturn) {
    if (afterCarriageReturn == bytes.size()) {
      afterCarriageReturn_ = true;
      return afterCarriageReturn;
    }
    return bytes[afterCarriageReturn] == '\n' ? afterCarriageReturn + 1 : afterCarriageReturn;
  }

  void EndLongLine(CodeString& out) {
    longLine_.Finish(out);
    out += "\r\n";
    inLongLine_ = false;
  }

  const ShapingTable& table_;
  CodeString pending_;  // the start of a line whose end has not come yet
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
void ReadBlocks(File& input, BlockQueue<Bytes>& blocks) {
  for (;;) {
    Bytes block = Bytes::OfCapacity(kChunk);
    block.size = input.Read(block.data.get(), kChunk);
    if (block.size == 0 || !blocks.Push(std::move(block))) break;
  }
  blocks.Close();
}

// A thread that runs a task and keeps what it throws, to be raised by the thread
// that joins it. On a failure it cancels the queue it shares with the caller.
template <class Block>
class Stage {
 public:
  template <class Task>
  Stage(BlockQueue<Block>& queue, Task task)
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
  BlockQueue<Block>& queue_;
  std::exception_ptr error_;
  std::thread thread_;
};

// Splits the blocks into pieces as they come and hands the pieces on in order.
void ConvertBlocks(BlockQueue<Bytes>& in, BlockQueue<Piece>& out, std::uint64_t total,
                   const ProgressCallback& progress) {
  LineSplitter lines;
  const auto emit = [&out](Piece piece) { return out.Push(std::move(piece)); };
  Bytes block;
  std::uint64_t done = 0;
  while (in.Pop(block)) {
    done += block.size;
    if (!lines.Feed(std::move(block), emit)) return;
    if (progress) progress(done, total);
  }
  lines.Finish(emit);
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

  // Reading, converting and writing overlap, a few blocks apart; the blocks convert
  // side by side.
  BlockQueue<Bytes> read(2);
  BlockQueue<Piece> converted(std::max(2u, std::thread::hardware_concurrency()));
  std::exception_ptr failed;
  {
    Stage reader(read, [&] { ReadBlocks(input, read); });
    Stage writer(converted, [&] {
      Piece piece;
      while (converted.Pop(piece)) output.Write(piece.get().view());
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
