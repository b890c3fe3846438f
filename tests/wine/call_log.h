#pragma once
// The calls a control makes on the host's objects, in order, as those objects record
// them: "site.OnInPlaceActivate", "bag.Read Farsi", "form.Get Caption"...
#include <string>
#include <utility>
#include <vector>

namespace pelikar::com_tests {

using Calls = std::vector<std::string>;

class CallLog {
 public:
  void Add(std::string call) { calls_.push_back(std::move(call)); }
  // The calls since the last Take.
  Calls Take() { return std::exchange(calls_, {}); }

 private:
  Calls calls_;
};

}  // namespace pelikar::com_tests
