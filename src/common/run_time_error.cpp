#include "common/run_time_error.h"

namespace pelikar {
namespace {

std::string Describe(int number, const std::string& detail) {
  std::string text = RunTimeError::StandardDescription(number);
  if (!detail.empty()) text += ": " + detail;
  return text;
}

}  // namespace

RunTimeError::RunTimeError(int number, const std::string& detail)
    : std::runtime_error(Describe(number, detail)), number_(number) {}

std::string RunTimeError::StandardDescription(int number) {
  switch (number) {
    case kInvalidProcedureCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kTypeMismatch: return "Type mismatch";
    case kBadFileName: return "Bad file name or number";
    case kFileNotFound: return "File not found";
    case kDeviceIoError: return "Device I/O error";
    case kDiskFull: return "Disk full";
    case kPermissionDenied: return "Permission denied";
    case kPathFileAccessError: return "Path/File access error";
    case kPathNotFound: return "Path not found";
    case kObjectVariableNotSet: return "Object variable or With block variable not set";
    case kMemberNotSupported: return "Object doesn't support this property or method";
    case kAutomationError: return "Automation error";
    case kPrinterError: return "Printer error";
    default: return "Application-defined or object-defined error";
  }
}

}  // namespace pelikar
