#include "common/replacement_file.h"

#include <random>
#include <string>
#include <system_error>

#include "common/run_time_error.h"

namespace pelikar {
namespace {

namespace fs = std::filesystem;

// The file at the end of a chain of links, which need not exist yet. A chain that
// does not end (links naming each other) or cannot be read is refused: replacing the
// link where the search stopped would destroy it.
fs::path Resolved(const fs::path& output) {
  constexpr int kMostLinks = 40;
  fs::path target = output;
  std::error_code error;
  for (int link = 0; fs::is_symlink(fs::symlink_status(target, error)); ++link) {
    const fs::path named = fs::read_symlink(target, error);
    if (error || link == kMostLinks) throw RunTimeError(kPathFileAccessError, PathText(output));
    target = named.is_absolute() ? named : target.parent_path() / named;
  }
  return target;
}

// A short name in the target's folder: one derived from a long target name could
// pass the longest name the platform takes.
fs::path TempPathBeside(const fs::path& target) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        target.parent_path() / (".pelikar-" + std::to_string(random() % 1000000000u) + ".tmp");
    std::error_code error;
    if (!fs::exists(candidate, error)) return candidate;
  }
  throw RunTimeError(kPathFileAccessError, PathText(target));
}

}  // namespace

template <class Step>
void ReplacementFile::Named(Step&& step) {
  try {
    step();
  } catch (const RunTimeError& failure) {
    throw RunTimeError(failure.number(), PathText(target_));
  }
}

ReplacementFile::ReplacementFile(const fs::path& target) : target_(Resolved(target)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  Named([&] {
    if (fs::exists(status) && !fs::is_regular_file(status)) {
      file_ = std::make_unique<File>(target_, File::Mode::Write);
      return;
    }
    constexpr fs::perms kWritable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(status) && (status.permissions() & kWritable) == fs::perms::none) {
      throw RunTimeError(kPathFileAccessError);
    }
    temp_ = TempPathBeside(target_);
    file_ = std::make_unique<File>(temp_, File::Mode::Write);
    if (fs::exists(status)) {
      fs::permissions(temp_, status.permissions(), fs::perm_options::replace, error);
    }
  });
}

ReplacementFile::~ReplacementFile() {
  if (committed_ || temp_.empty()) return;
  file_.reset();
  std::error_code ignored;
  // It may carry a read-only target's permissions, which would keep it on Windows.
  fs::permissions(temp_, fs::perms::owner_write, fs::perm_options::add, ignored);
  fs::remove(temp_, ignored);
}

void ReplacementFile::Write(std::string_view bytes) {
  Named([&] { file_->Write(bytes); });
}

void ReplacementFile::Commit() {
  Named([&] { file_->Close(); });
  file_.reset();
  if (!temp_.empty()) {
    std::error_code error;
    fs::rename(temp_, target_, error);
    if (error) throw RunTimeError(FileErrorNumber(error, false, File::Mode::Write), PathText(target_));
  }
  committed_ = true;
}

}  // namespace pelikar
