#pragma once
// InstallFont: a font file named with a path is copied into the Windows fonts
// directory first; then the name as given is registered for the session and the
// running programs are told. A failing copy is the one failure: it shows the
// installer's five-line message and answers false. A font the platform refuses to
// register is no failure.
#include <optional>
#include <string_view>

#include "common/code_string.h"
#include "util/system_services.h"

namespace pelikar::util {

// The five lines, separated by carriage returns (code 13).
extern const std::string_view kInstallFontMessage;

// Where a font named with a path (one with a backslash) is copied: the Windows
// directory's FONTS subdirectory, under the name after the last backslash. A bare name
// is not copied.
std::optional<CodeString> FontCopyTarget(CodeView fontName, CodeView windowsDirectory);

struct FontInstallServices {
  Machine& machine;
  FileSystem& files;
  FontRegistry& fonts;
  MessageBoxes& messages;
};

bool InstallFont(const FontInstallServices& services, CodeView fontName) noexcept;

}  // namespace pelikar::util
