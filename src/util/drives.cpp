#include "util/drives.h"

namespace pelikar::util {

CodeString CdDrive(Machine& machine) {
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    const CodeString root{letter, ':', '\\'};
    if (machine.DriveType(root) == kCdRomDrive) return root;
  }
  return {};
}

}  // namespace pelikar::util
