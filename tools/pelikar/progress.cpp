#include "progress.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform.h"

namespace pelikar::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

double Megabytes(std::uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

ProgressDisplay::ProgressDisplay(const char* label, std::uint64_t total)
    : label_(label),
      total_(total),
      visible_(total > kThresholdBytes && IsTerminal(StandardStream::Error)) {
  if (visible_) Draw(0);
}

ProgressDisplay::~ProgressDisplay() {
  if (!visible_) return;
  // Spaces rather than an erase-line escape: older Windows consoles print escapes.
  std::fprintf(stderr, "\r%s\r", std::string(drawnWidth_, ' ').c_str());
  std::fflush(stderr);
}

void ProgressDisplay::Update(std::uint64_t done) {
  if (!visible_) return;
  if (std::chrono::steady_clock::now() - lastDraw_ < kRedrawInterval) return;
  Draw(done);
}

void ProgressDisplay::Draw(std::uint64_t done) {
  if (done > total_) done = total_;
  unsigned percent = total_ == 0 ? 100 : static_cast<unsigned>(done * 100 / total_);
  char line[128];
  int width = std::snprintf(line, sizeof line, "\r%s: %3u%% (%.1f of %.1f MB)", label_, percent,
                            Megabytes(done), Megabytes(total_));
  if (width <= 1) return;
  std::fputs(line, stderr);
  std::fflush(stderr);
  std::size_t shown = std::min(static_cast<std::size_t>(width), sizeof line - 1) - 1;  // less the CR
  drawnWidth_ = std::max(drawnWidth_, shown);
  lastDraw_ = std::chrono::steady_clock::now();
}

}  // namespace pelikar::cli
