#include "util/print_text.h"

#include <exception>
#include <string>

namespace pelikar::util {
namespace {

std::string CurrentFailure() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Printer error";
  }
}

}  // namespace

bool PrintText(Printer& printer, MessageBoxes& messages, const PrintJob& job) noexcept {
  try {
    printer.PrintLine(job);
    return true;
  } catch (...) {
    try {
      messages.Show(CurrentFailure());
    } catch (...) {
      // Nothing is left to tell the user with.
    }
  }
  return false;
}

}  // namespace pelikar::util
