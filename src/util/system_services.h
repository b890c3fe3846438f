#pragma once
// What the system utilities ask of the machine they run on, one small interface per
// concern. The control uses the Win32 implementations (util/win32); the native tests
// use doubles. Names and paths are code strings in the system's ANSI code page, as the
// platform's ANSI calls take and give them; texts shown to the user are UTF-8.
// Failures are RunTimeErrors carrying the run-time's number.
#include <cstdint>
#include <functional>
#include <string_view>

#include "common/code_string.h"
#include "util/wildcard.h"

namespace pelikar::util {

// A clock that only moves forward: seconds from an arbitrary start.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Seconds() = 0;
};

// Modal message boxes with one OK button. Show returns when the user has answered.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A box titled with the control's name.
  virtual void Show(std::string_view text) = 0;
  // A box with the information icon and the given title.
  virtual void ShowInformation(std::string_view text, std::string_view title) = 0;
};

// The Windows installation and its drives.
class Machine {
 public:
  virtual ~Machine() = default;
  // The whole path, as the platform writes it; empty when it gives none.
  virtual CodeString WindowsDirectory() = 0;
  virtual CodeString SystemDirectory() = 0;
  // The platform's drive-type code (0 unknown, 1 no such root, ..., 5 CD-ROM).
  virtual std::int32_t DriveType(CodeView root) = 0;
};

// File attribute bits as the platform reports them.
enum FileAttribute : std::uint32_t {
  kReadOnlyAttribute = 0x01,
  kHiddenAttribute = 0x02,
  kSystemAttribute = 0x04,
  kVolumeAttribute = 0x08,
  kDirectoryAttribute = 0x10,
  kArchiveAttribute = 0x20,
};

struct DirectoryEntry {
  CodeString name;  // without its directory
  std::uint32_t attributes = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Calls visit with the entries that the platform finds for pattern (a path whose
  // last part may hold * and ?), in its order, until visit answers false. A pattern
  // that leads nowhere (no such file, directory or drive) finds nothing; other
  // failures (a drive not ready, a malformed name) raise.
  virtual void FindEntries(CodeView pattern,
                           const std::function<bool(const DirectoryEntry&)>& visit) = 0;
  // The label of the volume with this root ("" for the current drive); "" for a
  // drive without a label or without a volume.
  virtual CodeString VolumeLabel(CodeView root) = 0;
  // Copies a file, replacing a file of the target's name.
  virtual void Copy(CodeView source, CodeView target) = 0;
  // How the file system folds the case of names.
  virtual const CaseFold& NameCase() = 0;
};

class FontRegistry {
 public:
  virtual ~FontRegistry() = default;
  // Registers a font file for this session; a file the platform rejects is ignored.
  virtual void Register(CodeView file) = 0;
  // Tells the running programs that the fonts changed.
  virtual void BroadcastFontChange() = 0;
};

// One line for the printer, with its font.
struct PrintJob {
  CodeView text;
  CodeView fontName;
  std::int16_t points = 0;
  bool bold = false;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // Prints the line on a page of its own and ends the document.
  virtual void PrintLine(const PrintJob& job) = 0;
};

// A rectangle in window coordinates (pixels from the window's top-left corner).
struct RegionBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// Window handles as hosts hold them: 32-bit numbers.
class WindowRegions {
 public:
  virtual ~WindowRegions() = default;
  // The platform's answer, non-zero when the window took the region.
  virtual std::int32_t SetEllipticRegion(std::int32_t window, const RegionBox& box) = 0;
  virtual std::int32_t SetRoundRectRegion(std::int32_t window, const RegionBox& box,
                                          std::int32_t cornerWidth,
                                          std::int32_t cornerHeight) = 0;
};

}  // namespace pelikar::util
