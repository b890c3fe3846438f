#pragma once
// Conversion of a whole text file of keyboard-typed lines to the Nivo code page.
#include <cstdint>
#include <filesystem>
#include <functional>

namespace pelikar::encoding {

// Called now and then with the bytes read so far and the input's size.
using ProgressCallback = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Converts every line (ended by CR or CR LF) of the input and writes it ended by
// CR LF. Streams in constant memory. The output is written beside its target and
// moved into place only when everything succeeded, so a failure leaves an existing
// output untouched, and converting a file onto itself is safe. Raises RunTimeError
// with the standard file error numbers (53 file not found, 76 path not found...).
bool En_Ir_FileToNivo(const std::filesystem::path& inputFile,
                      const std::filesystem::path& outputFile,
                      const ProgressCallback& progress = {});

}  // namespace pelikar::encoding
