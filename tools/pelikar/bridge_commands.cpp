// to-unicode and from-unicode: stored code-page text to standard Unicode and back, for
// the arguments, standard input or a file, line by line in constant memory.
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "command.h"
#include "common/file_io.h"
#include "common/replacement_file.h"
#include "encoding/unicode_view.h"
#include "errors.h"
#include "input.h"
#include "output.h"
#include "platform.h"
#include "progress.h"
#include "unicode/bridge.h"
#include "unicode_input.h"

namespace pelikar::cli {
namespace {

using encoding::CodePage;
using unicode::BridgeOptions;

constexpr std::size_t kChunk = 1 << 20;

enum class Direction { ToUnicode, FromUnicode };

BridgeOptions BridgeOptionsOf(const Options& options) {
  BridgeOptions bridge;
  bridge.page = options.codePage.value_or(CodePage::Nivo);
  bridge.order = options.order.value_or(unicode::Order::Typed);
  bridge.digits = options.digits.value_or(unicode::Digits::Persian);
  bridge.substitute = options.substitute.value_or('?');
  return bridge;
}

const char* PageName(CodePage page) { return page == CodePage::Ir ? "Ir" : "Nivo"; }

std::string CharacterName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

// Lines of a stream, each with its ending: LF, CR LF, a lone CR, or none at the end.
// A line is held whole, however long; the stream is read a block at a time.
class LineReader {
 public:
  using Read = std::function<std::size_t(char* buffer, std::size_t size)>;
  explicit LineReader(Read read) : read_(std::move(read)) {}

  bool Next(std::string_view& line, std::string_view& ending) {
    std::size_t end = LineEnd();
    // A CR at the end of what is read may be the start of a CR LF. A refill moves the
    // buffer's contents even when it reads nothing more, so the end is found again.
    while (end == std::string::npos || (buffer_[end] == '\r' && end + 1 == buffer_.size())) {
      const bool more = Refill();
      end = LineEnd();
      if (!more) break;
    }
    if (pos_ == buffer_.size()) return false;
    if (end == std::string::npos) end = buffer_.size();
    std::size_t after = end;
    if (after < buffer_.size()) after += buffer_[after] == '\r' && after + 1 < buffer_.size() && buffer_[after + 1] == '\n' ? 2 : 1;
    line = std::string_view(buffer_).substr(pos_, end - pos_);
    ending = std::string_view(buffer_).substr(end, after - end);
    pos_ = after;
    return true;
  }

  std::uint64_t bytesRead() const { return read_total_; }

 private:
  std::size_t LineEnd() const {
    for (std::size_t i = pos_; i < buffer_.size(); ++i) {
      if (buffer_[i] == '\n' || buffer_[i] == '\r') return i;
    }
    return std::string::npos;
  }

  bool Refill() {
    if (ended_) return false;
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    const std::size_t got = read_(buffer_.data() + old, kChunk);
    buffer_.resize(old + got);
    read_total_ += got;
    ended_ = got == 0;
    return got > 0;
  }

  Read read_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool ended_ = false;
  std::uint64_t read_total_ = 0;
};

// Where the converted lines go: standard output (as they come, or a line at a time
// for a person typing), or a file that takes its place only when all went well.
class Sink {
 public:
  Sink(const std::optional<std::string>& file, bool immediate) : immediate_(immediate) {
    if (file) file_ = std::make_unique<ReplacementFile>(std::filesystem::path(*file));
  }
  std::string& buffer() { return pending_; }
  void LineDone() {
    if (immediate_ || pending_.size() >= kChunk) Flush();
  }
  void Finish() {
    Flush();
    if (file_) file_->Commit();
  }

 private:
  void Flush() {
    if (file_) {
      file_->Write(pending_);
    } else {
      const bool written = std::fwrite(pending_.data(), 1, pending_.size(), stdout) == pending_.size();
      if (std::fflush(stdout) != 0 || !written) throw Failure("cannot write standard output");
    }
    pending_.clear();
  }

  bool immediate_;
  std::unique_ptr<ReplacementFile> file_;
  std::string pending_;
};

// Tells what could not be expressed: the first few places one by one, then a summary
// of every character and how often.
class Reporter {
 public:
  Reporter(CodePage page, char substitute) : page_(page), substitute_(substitute) {}

  void Add(std::size_t lineNumber, const unicode::Unexpressed& u) {
    const std::string what = u.character == 0 && u.byte != 0 ? ByteName(u.byte) : CharacterName(u.character);
    ++counts_[what];
    if (++total_ > kShown) return;
    std::string where = lineNumber == 0 ? "column " : "line " + std::to_string(lineNumber) + ", column ";
    std::fprintf(stderr, "pelikar: %s%zu: %s %s; written as '%c'\n", where.c_str(), u.column, what.c_str(),
                 u.character == 0 && u.byte != 0 ? "is not UTF-8" : (std::string("has no code in the ") + PageName(page_) + " code page").c_str(),
                 substitute_);
  }

  void Summary() const {
    if (total_ == 0) return;
    std::string list;
    for (const auto& [what, count] : counts_) list += (list.empty() ? "" : ", ") + what + " (" + std::to_string(count) + ")";
    std::fprintf(stderr, "pelikar: %zu character%s could not be expressed in the %s code page and %s written as '%c': %s\n",
                 total_, total_ == 1 ? "" : "s", PageName(page_), total_ == 1 ? "was" : "were", substitute_, list.c_str());
  }

 private:
  static constexpr std::size_t kShown = 10;
  static std::string ByteName(Byte byte) {
    char name[16];
    std::snprintf(name, sizeof name, "byte 0x%02X", byte);
    return name;
  }

  CodePage page_;
  char substitute_;
  std::size_t total_ = 0;
  std::map<std::string, std::size_t> counts_;
};

// The first place where two texts differ, counted from 1 in the units of the first.
template <class Text>
std::size_t FirstDifference(const Text& a, const Text& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i + 1;
}

class Bridge {
 public:
  Bridge(Direction direction, const Arguments& arguments)
      : direction_(direction),
        options_(arguments.options),
        bridge_(BridgeOptionsOf(options_)),
        toUnicode_(bridge_),
        fromUnicode_(bridge_),
        reporter_(bridge_.page, bridge_.substitute),
        render_(direction == Direction::FromUnicode && !options_.outputFile && !options_.check &&
                ShouldRender(options_.rendering)) {
    if (options_.check && options_.outputFile) throw UsageError("--check writes no output file");
    if (options_.outputFile && options_.rendering != Rendering::Auto) {
      throw UsageError("--glyphs and --raw are for standard output, not --output");
    }
    if (options_.inputFile && !arguments.operands.empty()) {
      throw UsageError(arguments.command + ": a text and --input exclude each other");
    }
  }

  int Run(const std::vector<std::string>& operands) {
    const bool typed = operands.empty() && !options_.inputFile && IsTerminal(StandardStream::Input);
    if ((render_ || direction_ == Direction::ToUnicode) && !options_.outputFile && IsTerminal(StandardStream::Output)) {
      UseUtf8Terminal();
    }
    Sink sink(options_.outputFile, typed);
    if (!operands.empty()) {
      std::string text;
      for (std::size_t i = 0; i < operands.size(); ++i) text += (i > 0 ? " " : "") + operands[i];
      Convert(text, "\n", 0, sink.buffer());
    } else {
      std::unique_ptr<File> file;
      if (options_.inputFile) file = std::make_unique<File>(std::filesystem::path(*options_.inputFile), File::Mode::Read);
      LineReader reader([&](char* buffer, std::size_t size) -> std::size_t {
        if (file) return file->Read(buffer, size);
        const std::size_t got = std::fread(buffer, 1, size, stdin);
        if (got < size && std::ferror(stdin)) throw Failure("cannot read standard input");
        return got;
      });
      ProgressDisplay progress(options_.check ? "checking" : "converting", InputSize());
      std::string_view line, ending;
      for (std::size_t lineNumber = 1; reader.Next(line, ending); ++lineNumber) {
        Convert(line, ending, lineNumber, sink.buffer());
        sink.LineDone();
        progress.Update(reader.bytesRead());
      }
    }
    sink.Finish();
    reporter_.Summary();
    if (!options_.check) return kExitSuccess;
    if (differing_ == 0) {
      std::fprintf(stderr, "pelikar: all %zu line%s come back unchanged\n", lines_, lines_ == 1 ? "" : "s");
      return kExitSuccess;
    }
    std::fprintf(stderr, "pelikar: %zu of %zu line%s would not come back unchanged\n", differing_, lines_,
                 lines_ == 1 ? "" : "s");
    return kExitFailure;
  }

 private:
  std::uint64_t InputSize() const {
    if (!options_.inputFile) return 0;
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(*options_.inputFile), error);
    return error ? 0 : size;
  }

  void Convert(std::string_view line, std::string_view ending, std::size_t lineNumber, std::string& out) {
    ++lines_;
    if (direction_ == Direction::ToUnicode) {
      CodeString decoded;
      if (options_.fromUnicode) {
        try {
          decoded = DecodeUtf8(line, bridge_.page);
        } catch (const Failure& error) {
          RefuseText(lineNumber, error.what());
        }
        line = decoded;
      }
      text_.clear();
      toUnicode_.Line(line, text_);
      if (!options_.check) {
        out += text_;
        out += ending;
        return;
      }
      codes_.clear();
      missed_.clear();
      fromUnicode_.Line(text_, codes_, missed_);
      if (codes_ != line) Differs(lineNumber, FirstDifference(line, CodeView(codes_)), text_, out);
      return;
    }
    codes_.clear();
    missed_.clear();
    fromUnicode_.Line(line, codes_, missed_);
    for (const unicode::Unexpressed& u : missed_) reporter_.Add(lineNumber, u);
    if (!options_.check) {
      if (render_) {
        out += encoding::RenderUtf8(codes_, bridge_.page);
      } else {
        out += codes_;
      }
      out += render_ && !ending.empty() ? "\n" : ending;
      return;
    }
    text_.clear();
    toUnicode_.Line(codes_, text_);
    if (text_ != line) {
      Differs(lineNumber, FirstDifference(Characters(line), Characters(text_)), std::string(line) + " comes back as " + text_, out);
    }
  }

  static std::u32string Characters(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) out.push_back(0);
      out.back() = out.back() * 256 + static_cast<unsigned char>(utf8[i]);
    }
    return out;
  }

  void Differs(std::size_t lineNumber, std::size_t column, const std::string& text, std::string& out) {
    ++differing_;
    out += (lineNumber == 0 ? "column " : "line " + std::to_string(lineNumber) + ", column ") + std::to_string(column) +
           ": " + text + "\n";
  }

  Direction direction_;
  const Options& options_;
  BridgeOptions bridge_;
  unicode::CodesToUnicode toUnicode_;
  unicode::UnicodeToCodes fromUnicode_;
  Reporter reporter_;
  bool render_;
  std::string text_;
  CodeString codes_;
  std::vector<unicode::Unexpressed> missed_;
  std::size_t lines_ = 0, differing_ = 0;
};

int RunToUnicode(const Arguments& arguments) { return Bridge(Direction::ToUnicode, arguments).Run(arguments.operands); }
int RunFromUnicode(const Arguments& arguments) {
  return Bridge(Direction::FromUnicode, arguments).Run(arguments.operands);
}

constexpr std::array kBridgeCommands = {
    Command{"to-unicode", "[TEXT...]", "stored Nivo or Ir text to standard Unicode",
            "Turns stored code-page text (visual order, letters in their joined glyph codes)\n"
            "into the logical-order UTF-8 text a person would type today: the letters of\n"
            "the Arabic block with the Persian yeh and keheh, a ZWNJ where two letters that\n"
            "would join were stored apart, numbers and Latin words in reading order. Line\n"
            "ends (LF, CR LF or CR) are kept. --order says how the lines were stored: typed\n"
            "(as typing into a field stores them: numbers and Latin words left to right) or\n"
            "conversion (as the nivo and ir subcommands and convert-file store them: the\n"
            "whole line reversed). Streams any size; --output replaces its file only when\n"
            "all went well. --check converts each line there and back and lists those that\n"
            "would not come back unchanged.",
            "pelikar to-unicode --code-page ir --input names.ir --output names.txt",
            kCodePageOption | kFromUnicodeOption | kBridgeOptions, RunToUnicode},
    Command{"from-unicode", "[TEXT...]", "standard Unicode to stored Nivo or Ir text",
            "Turns logical-order UTF-8 text into stored code-page text, in the order of\n"
            "--order (typed: as the bidirectional algorithm shows a right-to-left line;\n"
            "conversion: the whole line reversed), with the letters shaped as the\n"
            "conversion engine shapes them. Composed or decomposed letters and Arabic\n"
            "presentation forms are all taken; Arabic yeh, alef maksura and kaf are written\n"
            "as the Persian yeh and keheh, Arabic-Indic digits as the page's digits. A\n"
            "character the page cannot express, or a byte that is no UTF-8, is written as\n"
            "the --substitute character and reported by line and column, with a summary.\n"
            "--check converts each line there and back and lists those that would not come\n"
            "back unchanged.",
            "pelikar from-unicode --code-page nivo --input names.csv --output names.nivo",
            kOutputOptions | kCodePageOption | kBridgeOptions | kSubstituteOption, RunFromUnicode},
};

}  // namespace

std::span<const Command> BridgeCommands() { return kBridgeCommands; }

}  // namespace pelikar::cli
