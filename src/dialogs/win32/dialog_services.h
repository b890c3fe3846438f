#pragma once
// The dialogs' services on the real Windows calls.
#include <random>

#include "dialogs/dialog_services.h"

namespace pelikar::dialogs::win32 {

// PeekMessage, TranslateMessage and DispatchMessage until the queue is empty. A quit
// message is put back for the host's own loop.
class Win32MessagePump final : public MessagePump {
 public:
  void ProcessPending() override;
};

// One generator per thread, never reseeded: a thread's animations continue one
// sequence, as the host's own random numbers do.
class Win32RandomSource final : public RandomSource {
 public:
  double Next() override;
};

}  // namespace pelikar::dialogs::win32
