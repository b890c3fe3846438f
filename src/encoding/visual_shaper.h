#pragma once
// The passes of the conversion engine that run over text already in visual order:
// each character is taken as its code page takes it, the tilde spans are typed into
// Persian, every letter is shaped against its neighbours, and the spaces at both ends
// are dropped.
#include "encoding/tables.h"

namespace pelikar::encoding {

// Tildes open and close the typed spans and leave a space behind; every other code
// becomes what the set makes of it inside or outside a span.
class SpanTyper {
 public:
  explicit SpanTyper(const TableSet& tables) : tables_(tables) {}
  Byte Type(Byte code) {
    if (code == '~') {
      inSpan_ = !inSpan_;
      return ' ';
    }
    return (inSpan_ ? tables_.derived.typedInsideSpan : tables_.derived.typedOutsideSpan)[code];
  }
  void Reset() { inSpan_ = false; }

 private:
  const TableSet& tables_;
  bool inSpan_ = false;
};

// Converts a text that arrives in pieces of any size, so that a file line of any
// length converts in constant memory.
class VisualShaper {
 public:
  explicit VisualShaper(const TableSet& tables) : tables_(tables), typer_(tables) {}

  // Appends the next codes of the text (in visual order) and writes to `out` every
  // code that no later character can change any more.
  void Append(CodeView codes, CodeString& out);
  // Ends the text: shapes and writes the codes held back, drops trailing spaces, and
  // makes the shaper ready for the next text.
  void Finish(CodeString& out);

 private:
  void Emit(std::size_t count, CodeString& out);

  const TableSet& tables_;
  SpanTyper typer_;
  // Codes not yet written. held_[next_] is the next code to shape; the code before it
  // may still change as its left neighbour.
  CodeString held_;
  std::size_t next_ = 0;
  bool wroteNonSpace_ = false;     // no more leading spaces to drop
  std::size_t pendingSpaces_ = 0;  // spaces that are trailing unless something follows
};

// Converts a whole text in reading order: reversed into visual order, typed and
// shaped in one buffer.
CodeString ShapeWholeText(const TableSet& tables, CodeView readingOrder);

}  // namespace pelikar::encoding
