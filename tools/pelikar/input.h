#pragma once
// Where the text of a text subcommand comes from: the command line, or standard input
// one line at a time.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_string.h"

namespace pelikar::cli {

// Called with each text and its line number (0 for the command line's text).
using TextConsumer = std::function<void(CodeView text, std::size_t lineNumber)>;

// The operands joined by the separator, as one text, when there are any: with a
// space, "pelikar nivo ~sghl n,sj~" needs no quotes. Otherwise every line of standard
// input, each by itself: LF or CR LF ends a line (a lone CR stays in it) and a last
// line without an ending still counts.
void ForEachText(const std::vector<std::string>& operands, std::string_view separator,
                 const TextConsumer& consume);

// A message about the text of the given line: "line 3: ..." for a line of standard
// input, the message alone for the command line's text.
std::string AtLine(std::size_t lineNumber, const std::string& message);

// A text that a command cannot take: given as an argument it is a usage error, read
// from standard input a failure of the run (the line number says where).
[[noreturn]] void RefuseText(std::size_t lineNumber, const std::string& message);

// Whether the text comes from a person typing at a terminal, who expects every line
// answered at once.
bool TextIsTyped(const std::vector<std::string>& operands);

}  // namespace pelikar::cli
