#include "encoding/convert_text.h"

#include "encoding/visual_shaper.h"

namespace pelikar::encoding {

CodeString ConvertText(CodeView text, CodePage variant) {
  return ShapeWholeText(TableSetOf(variant), text);
}

}  // namespace pelikar::encoding
