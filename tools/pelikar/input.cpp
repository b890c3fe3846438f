#include "input.h"

#include <iostream>

#include "errors.h"
#include "platform.h"

namespace pelikar::cli {
namespace {

std::string JoinOperands(const std::vector<std::string>& operands, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < operands.size(); ++i) {
    if (i > 0) text += separator;
    text += operands[i];
  }
  return text;
}

bool ReadLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r' && !in.eof()) line.pop_back();
  return true;
}

}  // namespace

void ForEachText(const std::vector<std::string>& operands, std::string_view separator,
                 const TextConsumer& consume) {
  if (!operands.empty()) {
    consume(JoinOperands(operands, separator), 0);
    return;
  }
  std::string line;
  for (std::size_t lineNumber = 1; ReadLine(std::cin, line); ++lineNumber) {
    consume(line, lineNumber);
  }
  // A stream that failed to read (a directory, a closed descriptor) did not end: its
  // lines are not all there.
  if (std::cin.bad()) throw Failure("cannot read standard input");
}

std::string AtLine(std::size_t lineNumber, const std::string& message) {
  return lineNumber == 0 ? message : "line " + std::to_string(lineNumber) + ": " + message;
}

void RefuseText(std::size_t lineNumber, const std::string& message) {
  if (lineNumber == 0) throw UsageError(message);
  throw Failure(AtLine(lineNumber, message));
}

bool TextIsTyped(const std::vector<std::string>& operands) {
  return operands.empty() && IsTerminal(StandardStream::Input);
}

}  // namespace pelikar::cli
