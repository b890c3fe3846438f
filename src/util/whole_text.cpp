#include "util/whole_text.h"

#include <algorithm>

namespace pelikar::util {
namespace {

constexpr std::size_t kFirstCapacity = 260;  // a classic Windows path
// A text that keeps outgrowing its buffer (it changes between the calls) is taken
// as a failure rather than chased for ever.
constexpr int kAttempts = 4;

}  // namespace

CodeString ReadWholeText(const std::function<std::size_t(char*, std::size_t)>& read) {
  std::size_t capacity = kFirstCapacity;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    CodeString buffer(capacity, '\0');
    const std::size_t length = read(buffer.data(), buffer.size());
    if (length == 0) return {};
    if (length < capacity) {
      buffer.resize(length);
      return buffer;
    }
    capacity = std::max(length, capacity + 1);
  }
  return {};
}

}  // namespace pelikar::util
