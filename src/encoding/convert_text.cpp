#include "encoding/convert_text.h"

#include "encoding/table_shaper.h"

namespace pelikar::encoding {

CodeString ConvertText(CodeView text, CodePage variant) {
  return ConvertWithTable(ShapingTableOf(variant), text);
}

}  // namespace pelikar::encoding
