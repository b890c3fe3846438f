#include <unistd.h>

#include "platform.h"

namespace pelikar::cli {

void UseBinaryStandardStreams() {}  // POSIX streams never translate bytes.

bool IsTerminal(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input: return isatty(STDIN_FILENO) != 0;
    case StandardStream::Output: return isatty(STDOUT_FILENO) != 0;
    case StandardStream::Error: return isatty(STDERR_FILENO) != 0;
  }
  return false;
}

void UseUtf8Terminal() {}  // Terminals here take UTF-8 as they are.

}  // namespace pelikar::cli
