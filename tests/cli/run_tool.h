#pragma once
// Runs the built pelikar binary as a user would: arguments, bytes on standard input,
// and standard output and error as pipes, a file or a terminal (a pseudo-terminal).
#include <string>
#include <utility>
#include <vector>

namespace pelikar::cli_test {

enum TerminalStreams : unsigned {
  kNoTerminal = 0,
  kStdoutTerminal = 1u << 0,
  kStderrTerminal = 1u << 1,
};

struct ToolIo {
  std::string input;        // written to standard input, which is then closed
  unsigned terminal = kNoTerminal;  // these streams go to one pseudo-terminal
  std::string stdoutFile;   // standard output to this file instead of a pipe
  std::string stdinFile;    // standard input from this file (or directory) instead
};

inline ToolIo WithInput(std::string input) {
  ToolIo io;
  io.input = std::move(input);
  return io;
}
inline ToolIo OnTerminal(unsigned streams) {
  ToolIo io;
  io.terminal = streams;
  return io;
}
inline ToolIo StdoutToFile(std::string file) {
  ToolIo io;
  io.stdoutFile = std::move(file);
  return io;
}

struct ToolRun {
  int status = -1;       // exit status; 128 + signal number if killed
  std::string out;       // standard output, when a pipe
  std::string err;       // standard error, when a pipe
  std::string terminal;  // what reached the pseudo-terminal, byte for byte
};

ToolRun RunTool(const std::vector<std::string>& arguments, const ToolIo& io = {});

// Codes as a string, for expectations written as numbers.
std::string Codes(std::initializer_list<unsigned> codes);

// The tool, run with arguments, succeeds with expected on standard output and
// nothing on standard error.
void ExpectAnswer(const std::vector<std::string>& arguments, const std::string& expected);

// Arguments as a failure message shows them: quoted, bytes outside printable ASCII as \xNN.
std::string Shown(const std::vector<std::string>& arguments);

}  // namespace pelikar::cli_test
