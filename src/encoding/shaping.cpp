#include "encoding/shaping.h"

#include "encoding/form_rules.h"
#include "encoding/shaping_rules.h"

namespace pelikar::encoding {

int FormOf(const TableSet& tables, Byte code) { return code < 128 ? kIsolated : tables.letterForm[code]; }

bool HasForm(const TableSet& tables, Byte code, int form) {
  if (code < 128 || form < kInitial || form > kIsolated) return false;
  return (detail::FormsOfClass(tables.joinClass[code]) >> form) & 1u;
}

Byte ToForm(const TableSet& tables, Byte code, int form) {
  // There are no other forms: anything else leaves the code as it is.
  if (form < kInitial || form > kIsolated) return code;
  return static_cast<Byte>(tables.derived.toFormAndKind[code][form]);
}

void ShapeLetter(const TableSet& tables, Byte& left, Byte& current, Byte& right, Byte right2) {
  detail::ShapeCodes(tables, left, current, right, right2);
}

}  // namespace pelikar::encoding
