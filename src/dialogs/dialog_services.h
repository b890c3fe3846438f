#pragma once
// What the dialogs ask of the machine beyond the system utilities' services: text
// measured in the font a window draws it with, the thread's window messages, and a
// source of random numbers. The control uses the Win32 implementations
// (dialogs/win32); the native tests use doubles.
#include <cstdint>
#include <vector>

#include "common/code_string.h"

namespace pelikar::dialogs {

// Widths of text in one font, in twips.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // The width of every beginning of text: element k is the width of its first k
  // characters (element 0 is 0), so a label growing a character at a time is
  // measured once.
  virtual std::vector<std::int32_t> PrefixWidths(CodeView text) = 0;
};

// The width of the whole text.
inline std::int32_t WidthOf(TextMeasure& measure, CodeView text) {
  return measure.PrefixWidths(text).back();
}

// Lets the messages waiting for the thread's windows be handled (a host's events may
// run meanwhile).
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessPending() = 0;
};

// Uniform numbers in [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual double Next() = 0;
};

}  // namespace pelikar::dialogs
