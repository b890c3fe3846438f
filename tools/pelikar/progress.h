#pragma once
// A one-line progress display on standard error for long file conversions.
#include <chrono>
#include <cstdint>

namespace pelikar::cli {

class ProgressDisplay {
 public:
  // Shown only when standard error is a terminal and the work is big enough to be
  // worth watching; otherwise every call does nothing, so logs and pipes stay clean.
  ProgressDisplay(const char* label, std::uint64_t total);
  ~ProgressDisplay();  // clears the line, also when the work failed

  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  // Redraws at most a few times a second, however often it is called.
  void Update(std::uint64_t done);

  bool visible() const { return visible_; }

  static constexpr std::uint64_t kThresholdBytes = 4u << 20;

 private:
  void Draw(std::uint64_t done);

  const char* label_;
  std::uint64_t total_;
  bool visible_;
  std::size_t drawnWidth_ = 0;
  std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace pelikar::cli
