#pragma once
// How long a key takes from its event to the field's new text: from the time of the
// key-down message (which Wine takes from the X server's event) to the end of the
// field's key-press handling, in milliseconds of the system's tick count.
#include <windows.h>

#include <string>
#include <vector>

namespace pelikar::samples {

class KeyLatency {
 public:
  void KeyDown(DWORD messageTime) { pressed_ = messageTime; }
  void KeyPressHandled();
  // "keys N mean M ms median M ms p95 M ms".
  std::string Report() const;

 private:
  DWORD pressed_ = 0;
  std::vector<DWORD> latencies_;
};

}  // namespace pelikar::samples
