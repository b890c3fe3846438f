#pragma once
// Answers the message boxes that a thread opens, from a thread of its own, and keeps
// what they said. A test that makes the control show a box can then see it, and a box
// that no test expected cannot leave the test waiting: it is answered too, and the
// test finds it among the texts.
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace pelikar::com_tests {

struct AnsweredBox {
  std::wstring title;
  std::wstring text;
};

class MessageBoxWatcher {
 public:
  // Watches the calling thread.
  MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
  ~MessageBoxWatcher();

  std::vector<AnsweredBox> answered() const;

 private:
  static DWORD WINAPI Run(void* self);
  void Watch();
  void AnswerBoxesOf(DWORD thread);

  DWORD watched_;
  HANDLE stop_;
  HANDLE thread_;
  mutable std::mutex mutex_;
  std::vector<AnsweredBox> answered_;
  std::vector<HWND> seen_;
};

}  // namespace pelikar::com_tests
