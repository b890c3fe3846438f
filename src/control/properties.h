#pragma once
// The control's four persistent properties, as the typing routines and the control
// object share them. CodePage and Environment are variants, as the host stores them.
#include <cstdint>

#include "host/host_value.h"

namespace pelikar::control {

struct Properties {
  // Kind of host: 0 Visual Basic, 1 Access, 2 Delphi, 3 visual C, 4 Visual Fox,
  // 5-7 Other1-Other3. Stored unchanged; only 0 changes behaviour.
  host::HostValue environment = std::int16_t{0};
  // 0 the Nivo code page, 1 the Ir code page; anything else is stored as 0.
  host::HostValue codePage = std::int16_t{0};
  // Persian typing mode, mirrored by the Scroll Lock entry of the keyboard state.
  bool farsi = true;
  // Whether host text fields are treated as multi-line.
  bool multiLine = false;
};

}  // namespace pelikar::control
