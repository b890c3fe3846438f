#pragma once
// Small helpers shared by the native tests.
#include <initializer_list>
#include <string>
#include <vector>

#include "common/code_string.h"

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

}  // namespace pelikar::test
