#include "dialogs/animation.h"

#include <cmath>

#include "input/host_field.h"
#include "util/delay.h"

namespace pelikar::dialogs {
namespace {

constexpr std::int16_t kDefaultMin = 10;
constexpr std::int16_t kDefaultMax = 16;
constexpr char kScrollGap[] = "          ";  // ten blanks after each copy of the caption
constexpr std::int32_t kPulseFloor = 100;
constexpr std::int32_t kPulseStep = 10;

std::int32_t Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return red | green << 8 | blue << 16;
}

class Animation {
 public:
  Animation(host::HostObject& label, float delay, AnimationServices& services)
      : label_(label), delay_(delay), services_(services) {}

  void Scroll(int min, int max, bool colours) {
    CodeString work;
    for (int i = min; i <= max; ++i) work += host::TextOf(label_.Get("Caption")) + kScrollGap;
    // The text grows from its end: the last character, the last two, ... the whole.
    for (std::size_t start = work.size(); start-- > 0;) {
      label_.Put("Caption", work.substr(start));
      if (colours) RandomColour();
      EndStep();
    }
  }

  void Grow(int min, int max, bool colours) {
    for (int size = min; size <= max; ++size) {
      label_.Put("FontSize", static_cast<std::int16_t>(size));
      if (colours) RandomColour();
      EndStep();
    }
  }

  // The level climbs by tens to the top and falls back to 100, once a pass.
  void Pulse(int min, int max, std::int32_t top, int channel) {
    std::int32_t level = kPulseFloor;
    for (int pass = min; pass <= max; ++pass) {
      while (level < top) ShowLevel(level += kPulseStep, channel);
      while (level > kPulseFloor) ShowLevel(level -= kPulseStep, channel);
    }
  }

 private:
  void ShowLevel(std::int32_t level, int channel) {
    label_.Put("ForeColor", level << (8 * channel));
    EndStep();
  }

  void RandomColour() {
    std::int32_t rgb[3];
    for (std::int32_t& part : rgb) {
      part = static_cast<std::int32_t>(std::nearbyint(services_.random.Next() * 255));
    }
    label_.Put("ForeColor", Rgb(rgb[0], rgb[1], rgb[2]));
  }

  void EndStep() {
    util::Delay(services_.clock, delay_);
    label_.Call("Refresh", {});
    services_.pump.ProcessPending();
  }

  host::HostObject& label_;
  float delay_;
  AnimationServices& services_;
};

}  // namespace

bool Animate(host::HostObject& label, std::int16_t effect, float speed, std::int16_t& min,
             std::int16_t& max, AnimationServices& services) noexcept {
  if (speed == 0 || std::isnan(speed)) return false;
  const float delay = 1.0f / speed;
  if (min == 0) min = kDefaultMin;
  if (max == 0) max = kDefaultMax;
  try {
    Animation animation(label, delay, services);
    switch (effect) {
      case 1: animation.Scroll(min, max, false); break;
      case 2: animation.Scroll(min, max, true); break;
      case 3: animation.Grow(min, max, false); break;
      case 4: animation.Grow(min, max, true); break;
      case 5: animation.Pulse(min, max, 250, 0); break;
      case 6: animation.Pulse(min, max, 240, 1); break;
      case 7: animation.Pulse(min, max, 240, 2); break;
      default: services.messages.Show("New effects in new versions"); break;
    }
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace pelikar::dialogs
