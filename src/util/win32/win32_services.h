#pragma once
// The system services on the real Windows calls. One object of each serves every
// control instance of the process; none keeps state between calls beyond the file
// system's case fold.
#include "util/steady_clock.h"
#include "util/system_services.h"

namespace pelikar::util::win32 {

// GetWindowsDirectoryA, GetSystemDirectoryA (whole paths), GetDriveTypeA.
class Win32Machine final : public Machine {
 public:
  CodeString WindowsDirectory() override;
  CodeString SystemDirectory() override;
  std::int32_t DriveType(CodeView root) override;
};

// FindFirstFileA/FindNextFileA, GetVolumeInformationA, CopyFileA; names fold as
// CharUpperBuffA folds them in the ANSI code page.
class Win32FileSystem final : public FileSystem {
 public:
  Win32FileSystem();
  void FindEntries(CodeView pattern,
                   const std::function<bool(const DirectoryEntry&)>& visit) override;
  CodeString VolumeLabel(CodeView root) override;
  void Copy(CodeView source, CodeView target) override;
  const CaseFold& NameCase() override { return fold_; }

 private:
  CaseFold fold_;
};

// AddFontResourceA and a WM_FONTCHANGE broadcast that no hung window can hold up.
class Win32FontRegistry final : public FontRegistry {
 public:
  void Register(CodeView file) override;
  void BroadcastFontChange() override;
};

// MessageBoxW, owned by the thread's active window.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  void Show(std::string_view text) override;
  void ShowInformation(std::string_view text, std::string_view title) override;
};

// The default printer through GDI: StartDoc, TextOut, EndDoc.
class Win32Printer final : public Printer {
 public:
  void PrintLine(const PrintJob& job) override;
};

// CreateEllipticRgn, CreateRoundRectRgn and SetWindowRgn.
class Win32WindowRegions final : public WindowRegions {
 public:
  std::int32_t SetEllipticRegion(std::int32_t window, const RegionBox& box) override;
  std::int32_t SetRoundRectRegion(std::int32_t window, const RegionBox& box,
                                  std::int32_t cornerWidth, std::int32_t cornerHeight) override;
};

struct Win32Services {
  SteadyClock clock;
  Win32Machine machine;
  Win32FileSystem files;
  Win32FontRegistry fonts;
  Win32MessageBoxes messages;
  Win32Printer printer;
  Win32WindowRegions regions;
};

}  // namespace pelikar::util::win32
