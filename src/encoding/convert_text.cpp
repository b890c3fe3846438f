#include "encoding/convert_text.h"

#include "encoding/visual_shaper.h"

namespace pelikar::encoding {

CodeString ReverseText(CodeView text) { return CodeString(text.rbegin(), text.rend()); }

CodeString ConvertText(CodeView text, CodePage variant) {
  LoadTables(variant);
  return ShapeWholeText(TableSetOf(variant), text);
}

}  // namespace pelikar::encoding
