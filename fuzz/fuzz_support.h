#pragma once
// What every fuzz target shares: a check that stops the run with the failed condition,
// and bytes taken as code strings.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/code_string.h"

namespace pelikar::fuzz {

// Aborts (the fuzzer keeps the input that did it) when a property does not hold.
inline void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

inline CodeView CodesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace pelikar::fuzz
