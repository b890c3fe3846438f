#pragma once
// Small helpers shared by the native tests.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/code_string.h"
#include "common/run_time_error.h"

namespace pelikar::test {

inline CodeString Codes(std::initializer_list<int> codes) {
  CodeString text;
  for (int code : codes) text.push_back(CodeChar(static_cast<unsigned>(code)));
  return text;
}

inline std::vector<int> CodesOf(CodeView text) {
  std::vector<int> codes;
  for (char c : text) codes.push_back(static_cast<Byte>(c));
  return codes;
}

// The number of the run-time error an action raises; 0 if it raises none.
inline int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RunTimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace pelikar::test
