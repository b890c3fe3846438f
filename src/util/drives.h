#pragma once
// The drive members above the platform's drive-type call.
#include "common/code_string.h"
#include "util/system_services.h"

namespace pelikar::util {

inline constexpr std::int32_t kCdRomDrive = 5;

// The root of the first CD-ROM drive from D: to Z: ("E:\"), or "". A:, B: and C: are
// never asked.
CodeString CdDrive(Machine& machine);

}  // namespace pelikar::util
