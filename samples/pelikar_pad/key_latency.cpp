#include "key_latency.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace pelikar::samples {

void KeyLatency::KeyPressHandled() {
  if (pressed_ != 0) latencies_.push_back(GetTickCount() - pressed_);
  pressed_ = 0;
}

std::string KeyLatency::Report() const {
  if (latencies_.empty()) return "keys 0";
  std::vector<DWORD> sorted = latencies_;
  std::sort(sorted.begin(), sorted.end());
  const double mean =
      std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(sorted.size());
  char text[128];
  std::snprintf(text, sizeof text, "keys %zu mean %.2f ms median %lu ms p95 %lu ms",
                sorted.size(), mean, sorted[sorted.size() / 2], sorted[sorted.size() * 95 / 100]);
  return text;
}

}  // namespace pelikar::samples
