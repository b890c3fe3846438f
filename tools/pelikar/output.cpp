#include "output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "encoding/unicode_view.h"
#include "errors.h"
#include "platform.h"

namespace pelikar::cli {

bool ShouldRender(Rendering requested) {
  switch (requested) {
    case Rendering::Raw: return false;
    case Rendering::Unicode: return true;
    case Rendering::Auto: return IsTerminal(StandardStream::Output);
  }
  return false;
}

Output::Output(bool render, bool immediate) : render_(render), immediate_(immediate) {
  if (render_ && IsTerminal(StandardStream::Output)) UseUtf8Terminal();
}

void Output::WriteLine(CodeView result, encoding::CodePage codePage) {
  if (render_) {
    pending_ += encoding::RenderUtf8(result, codePage);
  } else {
    pending_ += result;
  }
  pending_ += '\n';
  if (immediate_) Flush();
}

void Output::Finish() { Flush(); }

void Output::Flush() {
  errno = 0;
  bool written = std::fwrite(pending_.data(), 1, pending_.size(), stdout) == pending_.size();
  written = std::fflush(stdout) == 0 && written;
  pending_.clear();
  if (!written) {
    std::string reason = errno != 0 ? std::strerror(errno) : "write error";
    throw Failure("cannot write standard output: " + reason);
  }
}

}  // namespace pelikar::cli
