#pragma once
// PrintText: one line on the printer with a chosen font. Any failure (no printer, a
// font that cannot be set, a printing failure) shows its description in a message
// box and answers false.
#include "util/system_services.h"

namespace pelikar::util {

bool PrintText(Printer& printer, MessageBoxes& messages, const PrintJob& job) noexcept;

}  // namespace pelikar::util
