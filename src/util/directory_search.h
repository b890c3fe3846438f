#pragma once
// The run-time's directory search: the first entry whose name matches a path that
// may hold wildcards and whose attributes the search's mask admits, and the file and
// directory tests built on it. Errors of the search (a drive that is not ready, a
// malformed name) are not caught here: they reach the caller.
#include <cstdint>

#include "common/code_string.h"
#include "util/system_services.h"

namespace pelikar::util {

// The attribute masks of the search. Hidden and system entries are never admitted.
enum class SearchMask : std::uint32_t {
  kFiles = 0,                       // ordinary files, read-only and archive ones too
  kVolume = kVolumeAttribute,       // the volume label instead of an entry
  kDirectories = kDirectoryAttribute,  // ordinary files and directories
};

// Whether an entry with these attributes belongs to the search with this mask.
bool MaskAdmits(SearchMask mask, std::uint32_t attributes);

// The pattern the platform is asked for: a name that ends at a separator or is a bare
// drive ("C:") stands for everything in that directory.
CodeString SearchPattern(CodeView name);

// The part of a pattern after its directory.
CodeView LastPart(CodeView pattern);

// The root of the volume a name lies on: "D:\" for "D:..." and "\\server\share\" for a
// UNC name; "" (the current drive) for a relative one.
CodeString VolumeRoot(CodeView name);

// The name of the first entry found, without its path, or "" when nothing matches. An
// empty name matches nothing; with kVolume the answer is the volume's label.
CodeString FindFirst(FileSystem& files, CodeView name, SearchMask mask);

CodeString VolLabel(FileSystem& files, CodeView driveName);
// True for an ordinary file or directory (a file counts as a directory).
bool DirExist(FileSystem& files, CodeView dirName);
// True for an ordinary file; directories, hidden and system files give false.
bool FileExist(FileSystem& files, CodeView fileName);

}  // namespace pelikar::util
