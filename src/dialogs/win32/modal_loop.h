#pragma once
// What the control's modal windows share: the window that was active, disabled while
// the modal window is up, and a modal loop of their own that goes on handling the
// thread's messages (the host's timers and paints among them) until the window has
// its answer. A modal window opened from one of those messages has a loop, and an
// answer, of its own.
#include <windows.h>

#include <functional>

namespace pelikar::dialogs::win32 {

// The active window of the thread, the modal window's owner: disabled from Disable
// until Enable (or until the holder goes). Enable it before the modal window is
// destroyed, so that it takes the activation back.
class ModalOwner {
 public:
  ModalOwner() : owner_(GetActiveWindow()) {}
  ModalOwner(const ModalOwner&) = delete;
  ModalOwner& operator=(const ModalOwner&) = delete;
  ~ModalOwner() { Enable(); }
  HWND get() const { return owner_; }
  void Disable() {
    disabled_ = owner_ != nullptr && IsWindowEnabled(owner_);
    if (disabled_) EnableWindow(owner_, FALSE);
  }
  void Enable() {
    if (disabled_) EnableWindow(owner_, TRUE);
    disabled_ = false;
  }

 private:
  HWND owner_;
  bool disabled_ = false;
};

// Handles the thread's messages, the dialog's own through IsDialogMessage, until done
// says so or the window is gone. preview sees every message first and may take it
// (true). A quit message ends the loop and is posted again for the host's own loop.
void RunModalLoop(HWND dialog, const std::function<bool()>& done,
                  const std::function<bool(const MSG&)>& preview = {});

}  // namespace pelikar::dialogs::win32
