#include "util/font_installer.h"

#include "common/run_time_error.h"

namespace pelikar::util {
namespace {

CodeString JoinPath(CodeView directory, CodeView name) {
  CodeString path(directory);
  // A directory at a drive's root comes with its backslash ("C:\").
  if (!path.ends_with('\\')) path += '\\';
  return path.append(name);
}

void Install(const FontInstallServices& services, CodeView fontName) {
  const CodeString windows = services.machine.WindowsDirectory();
  if (windows.empty()) throw RunTimeError(kPathNotFound, "the Windows directory is unknown");
  if (const auto target = FontCopyTarget(fontName, windows)) {
    services.files.Copy(fontName, *target);
  }
  // The name as the caller gave it, not the copy: a bare name is found by the
  // platform's own rules.
  services.fonts.Register(fontName);
  services.fonts.BroadcastFontChange();
}

}  // namespace

const std::string_view kInstallFontMessage =
    "Error in the Pelikar font installer: the font could not be installed.\r"
    "check the path and name of the font file,\r"
    "if your ttf is in Fonts directory there is no need for path .\r"
    ">>>if you use path it will be copy IF dont use path just you install font\r"
    "its better that you copy fonts in setup programs.";

std::optional<CodeString> FontCopyTarget(CodeView fontName, CodeView windowsDirectory) {
  const std::size_t lastBackslash = fontName.rfind('\\');
  if (lastBackslash == CodeView::npos) return std::nullopt;
  return JoinPath(JoinPath(windowsDirectory, "FONTS"), fontName.substr(lastBackslash + 1));
}

bool InstallFont(const FontInstallServices& services, CodeView fontName) noexcept {
  try {
    Install(services, fontName);
    return true;
  } catch (...) {
  }
  try {
    services.messages.Show(kInstallFontMessage);
  } catch (...) {
    // Nothing is left to tell the user with.
  }
  return false;
}

}  // namespace pelikar::util
