#pragma once
// Small helpers shared by the native tests.
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/code_string.h"
#include "encoding/tables.h"
#include "common/run_time_error.h"

// Runs a parameterized suite on both code pages, named Nivo and Ir.
#define PELIKAR_ON_BOTH_PAGES(suite)                                                                         \
  INSTANTIATE_TEST_SUITE_P(CodePages, suite, testing::Values(::pelikar::encoding::CodePage::Nivo, ::pelikar::encoding::CodePage::Ir), \
                           [](const auto& info) { return info.param == ::pelikar::encoding::CodePage::Nivo ? "Nivo" : "Ir"; })

namespace pelikar::test {

inline CodeString Codes(std::initializer_list<int> codes) {
  CodeString text;
  for (int code : codes) text.push_back(CodeChar(static_cast<unsigned>(code)));
  return text;
}

inline std::vector<int> CodesOf(CodeView text) {
  std::vector<int> codes;
  for (char c : text) codes.push_back(static_cast<Byte>(c));
  return codes;
}

// The number of the run-time error an action raises; 0 if it raises none.
inline int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RunTimeError& error) {
    return error.number();
  }
  return 0;
}

// A directory of its own for a test, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() { std::filesystem::create_directories(path_); }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  const std::filesystem::path path_ = std::filesystem::temp_directory_path() / ("pelikar-test-" + std::to_string(std::random_device()()));
};

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace pelikar::test
