#pragma once
// The calls a control makes on its container, in order, as the container's objects
// record them: "site.OnInPlaceActivate", "bag.Read Farsi", "notify.OnChanged 1"...
#include <string>
#include <utility>
#include <vector>

namespace pelikar::container_tests {

using Calls = std::vector<std::string>;

class CallLog {
 public:
  void Add(std::string call) { calls_.push_back(std::move(call)); }
  // The calls since the last Take.
  Calls Take() { return std::exchange(calls_, {}); }

 private:
  Calls calls_;
};

}  // namespace pelikar::container_tests
