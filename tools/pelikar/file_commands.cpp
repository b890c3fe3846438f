// The subcommands that work on files.
#include <array>
#include <filesystem>
#include <system_error>

#include "command.h"
#include "encoding/file_conversion.h"
#include "errors.h"
#include "progress.h"

namespace pelikar::cli {
namespace {

// The size for the progress display only; a file that cannot be measured is left
// to the conversion to report.
std::uint64_t SizeOrZero(const std::filesystem::path& file) {
  std::error_code error;
  std::uint64_t size = std::filesystem::file_size(file, error);
  return error ? 0 : size;
}

int RunConvertFile(const Arguments& arguments) {
  RequireOperands(arguments, 2, 2);
  std::filesystem::path input(arguments.operands[0]);
  std::filesystem::path output(arguments.operands[1]);
  ProgressDisplay progress("converting", SizeOrZero(input));
  encoding::En_Ir_FileToNivo(input, output, [&progress](std::uint64_t done, std::uint64_t) {
    progress.Update(done);
  });
  return kExitSuccess;
}

constexpr std::array kFileCommands = {
    Command{"convert-file", "INPUT OUTPUT", "a file of typed lines to a Nivo file",
            "Converts every line of the input file, keyboard-typed text with tilde spans,\n"
            "to the Nivo code page and writes it to the output file, each line ended by\n"
            "CR LF. A line ends at CR or CR LF; a lone LF stays inside its line. Lines\n"
            "are taken as stored in visual order: their characters keep their order. An\n"
            "existing output file is replaced only when the whole conversion succeeded,\n"
            "and the input may be the output. A conversion of more than 4 MB shows its\n"
            "progress when standard error is a terminal.",
            "pelikar convert-file letters.txt letters.nivo", kNoOptions, RunConvertFile},
};

}  // namespace

std::span<const Command> FileCommands() { return kFileCommands; }

}  // namespace pelikar::cli
