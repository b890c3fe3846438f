#pragma once
// Where results go: standard output, as the code page's bytes or as a readable UTF-8
// rendering, one result a line.
#include <string>

#include "arguments.h"
#include "common/code_string.h"
#include "encoding/tables.h"

namespace pelikar::cli {

// --raw and --unicode decide; otherwise a terminal gets the rendering and a file or
// pipe the bytes.
bool ShouldRender(Rendering requested);

class Output {
 public:
  // Lines are held back until Finish, so that a failure halfway leaves standard output
  // empty, unless immediate is set (a person typing the input wants each answer now).
  Output(bool render, bool immediate);

  void WriteLine(CodeView result, encoding::CodePage codePage);

  // Writes what was held back and flushes; throws Failure if standard output failed.
  void Finish();

 private:
  void Flush();

  bool render_;
  bool immediate_;
  std::string pending_;
};

}  // namespace pelikar::cli
