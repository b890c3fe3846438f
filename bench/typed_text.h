#pragma once
// Realistic keyboard-typed Persian text for the benchmarks: sentences of common words
// in tilde spans, with numbers and Latin words between them, always the same for a
// given size.
#include <cstddef>
#include <string>
#include <vector>

namespace pelikar::bench {

// Lines of about 60-120 characters, without line endings, totalling at least bytes.
std::vector<std::string> TypedLines(std::size_t bytes);

// The lines joined by ending, as one text.
std::string TypedText(std::size_t bytes, const std::string& ending);

}  // namespace pelikar::bench
