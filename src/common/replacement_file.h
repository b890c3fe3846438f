#pragma once
// A file written beside its target and moved into place only when complete.
#include <filesystem>
#include <memory>
#include <string_view>

#include "common/file_io.h"

namespace pelikar {

// The output is written to a file of its own beside the target and takes the target's
// place only when complete; until then the target is untouched. The partial file is
// removed if anything fails. A target reached through a symbolic link is the file the
// link names (the link stays a link), and the new file keeps the old one's permissions.
// A target that is no plain file (a device, a pipe) cannot be replaced: the output goes
// straight into it. A read-only target is refused as opening it would be. Failures
// name the target, never the file beside it.
class ReplacementFile {
 public:
  explicit ReplacementFile(const std::filesystem::path& target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  void Write(std::string_view bytes);
  void Commit();

 private:
  // Runs a step on the output file; its failure is told with the target's name.
  template <class Step>
  void Named(Step&& step);

  std::filesystem::path target_;
  std::filesystem::path temp_;  // empty when the output goes straight into the target
  std::unique_ptr<File> file_;
  bool committed_ = false;
};

}  // namespace pelikar
