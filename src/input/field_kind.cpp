#include "input/field_kind.h"

#include <array>
#include <utility>

#include "input/host_field.h"

namespace pelikar::input {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

CodeString Folded(CodeView text) {
  CodeString folded(text);
  for (char& c : folded) c = Lower(c);
  return folded;
}

constexpr std::array<std::pair<CodeView, TagKind>, 8> kTags{{
    {"shamsi", TagKind::Shamsi},
    {"shamsi2", TagKind::Shamsi2},
    {"miladi", TagKind::Miladi},
    {"integer", TagKind::Integer},
    {"float", TagKind::Float},
    {"text", TagKind::Text},
    {"grid", TagKind::Grid},
    {"combo", TagKind::Combo},
}};

}  // namespace

TagKind KindOfTag(CodeView tag) {
  const CodeString folded = Folded(TrimSpaces(tag));
  for (const auto& [word, kind] : kTags) {
    if (folded == word) return kind;
  }
  return TagKind::Other;
}

TagKind ReadTagKind(HostField& field) { return KindOfTag(field.Tag()); }

FieldName::FieldName(CodeView name) : name_(Folded(name)) {}

bool IsEditable(TagKind tag, const FieldName& name) {
  return name.Has("text") || name.Has("txt") || name.Has("maskedbox") || name.Has("grid") ||
         name.Has("combo") || tag == TagKind::Text || tag == TagKind::Grid || tag == TagKind::Combo;
}

bool IsGrid(TagKind tag, const FieldName& name) { return tag == TagKind::Grid || name.Has("grid"); }

bool IsTextBox(TagKind tag, const FieldName& name) {
  // "richtextbox" holds "text": rich text boxes are text boxes too.
  return name.Has("text") || name.Has("txt") || tag == TagKind::Text;
}

bool IsGridLike(TagKind tag, const FieldName& name) {
  return name.Has("grid") || name.Has("combo") || name.Has("maskedbox") || tag == TagKind::Grid ||
         tag == TagKind::Combo;
}

}  // namespace pelikar::input
