#pragma once
// The passes of the conversion engine that run over text already in visual order:
// each character is taken as its code page takes it, the tilde spans are typed into
// Persian, every letter is shaped against its neighbours, and the spaces at both ends
// are dropped. The text may arrive in pieces of any size, so a file line of any
// length converts in constant memory.
#include "encoding/tables.h"

namespace pelikar::encoding {

class VisualShaper {
 public:
  explicit VisualShaper(const TableSet& tables) : tables_(tables) {}

  // Appends the next codes of the text (in visual order) and writes to `out` every
  // code that no later character can change any more.
  void Append(CodeView codes, CodeString& out);
  // Ends the text: shapes and writes the codes held back, drops trailing spaces, and
  // makes the shaper ready for the next text.
  void Finish(CodeString& out);

 private:
  Byte Admit(Byte code);
  void Emit(Byte code, CodeString& out);
  void Step(std::size_t i);

  const TableSet& tables_;
  bool inSpan_ = false;
  // Codes not yet final. held_[next_] is the next code to shape; the one before it
  // (if next_ is 1) may still change as its left neighbour.
  CodeString held_;
  std::size_t next_ = 0;
  bool emittedLetter_ = false;     // a code other than a space was written: no more leading trim
  std::size_t pendingSpaces_ = 0;  // spaces that are trailing unless something follows
};

}  // namespace pelikar::encoding
