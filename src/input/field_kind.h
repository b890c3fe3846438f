#pragma once
// The kind of a host field: what its Tag says (trimmed, in any letter case) and what
// its Name holds (Text1, RichTextBox1, MaskedBox1, Grid1, Combo1...).
#include "common/code_string.h"

namespace pelikar::input {

class HostField;

enum class TagKind { Shamsi, Shamsi2, Miladi, Integer, Float, Text, Grid, Combo, Other };

TagKind KindOfTag(CodeView tag);
TagKind ReadTagKind(HostField& field);

// The field's Name, folded to lower case once for the substring tests.
class FieldName {
 public:
  explicit FieldName(CodeView name);
  bool Has(CodeView lowerPart) const { return name_.find(lowerPart) != CodeString::npos; }

 private:
  CodeString name_;
};

// The groupings by which the key routines treat a field. The tag is always read first:
// date and numeric fields never need their Name.
bool IsEditable(TagKind tag, const FieldName& name);  // takes typed text at all
bool IsGrid(TagKind tag, const FieldName& name);      // its selection is cleared
bool IsGridLike(TagKind tag, const FieldName& name);  // typed into without limits
// A text box: Enter splits its lines, and Locked and MaxLength hold it back.
bool IsTextBox(TagKind tag, const FieldName& name);

}  // namespace pelikar::input
