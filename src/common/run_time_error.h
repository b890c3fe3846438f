#pragma once
// Failures inside the core carry the run-time error number a host expects; the COM
// layer answers them as 0x800A0000 | number with the description, so a script
// client's Err.Number shows the number.
#include <stdexcept>
#include <string>

namespace pelikar {

enum RunTimeErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kBadFileName = 52,
  kFileNotFound = 53,
  kDeviceIoError = 57,
  kDiskFull = 61,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
  kObjectVariableNotSet = 91,
  kMemberNotSupported = 438,
  kAutomationError = 440,
  kPrinterError = 482,
};

class RunTimeError : public std::runtime_error {
 public:
  // The description is the run-time's standard text for the number, followed by the
  // detail if there is one. Texts are UTF-8.
  explicit RunTimeError(int number, const std::string& detail = {});
  int number() const { return number_; }

  static std::string StandardDescription(int number);

 private:
  int number_;
};

}  // namespace pelikar
