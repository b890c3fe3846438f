#pragma once
// The control object as the host sees it, without any Windows machinery: creating it
// is the control's Initialize step, and it answers the members that belong to the
// control shell itself. The COM layer (control/com) is a thin adapter over it.
#include "common/code_string.h"

namespace pelikar::control {

class Control {
 public:
  // Initialize: builds the Nivo character tables, so that conversions work before
  // any key is pressed.
  Control();

  // A placeholder member of the public interface: the same text for every argument.
  CodeString Reserved(Byte yourAttrib) const;
};

}  // namespace pelikar::control
