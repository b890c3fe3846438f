#include "encoding/tables.h"

namespace pelikar::encoding {

const TableSet& TableSetOf(CodePage codePage) {
  return codePage == CodePage::Ir ? IrTableSet() : NivoTableSet();
}

}  // namespace pelikar::encoding
