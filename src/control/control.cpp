#include "control/control.h"

#include "encoding/tables.h"

namespace pelikar::control {

Control::Control() { encoding::LoadNivoTables(); }

CodeString Control::Reserved(Byte /*yourAttrib*/) const {
  return "many powerful capability in this method in future";
}

}  // namespace pelikar::control
