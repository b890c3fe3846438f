#pragma once
// The maker's credit box, shown on Ctrl+S in a field typed in Persian.
#include "util/system_services.h"

namespace pelikar::input {

void ShowCreditBox(util::MessageBoxes& messages);

}  // namespace pelikar::input
