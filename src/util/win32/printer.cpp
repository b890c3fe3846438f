#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "common/run_time_error.h"
#include "util/win32/system_text.h"
#include "util/win32/win32_services.h"

namespace pelikar::util::win32 {
namespace {

constexpr char kDocumentName[] = "Pelikar";
constexpr int kPointsPerInch = 72;

[[noreturn]] void PrinterFailed(const std::string& what) {
  throw RunTimeError(kPrinterError, what + SystemErrorDetail(GetLastError()));
}

CodeString DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) throw RunTimeError(kPrinterError, "no printer is installed");
  CodeString name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) PrinterFailed("the default printer is unknown");
  name.resize(std::strlen(name.c_str()));
  return name;
}

class PrinterContext {
 public:
  explicit PrinterContext(const CodeString& printer)
      : dc_(CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr)) {
    if (dc_ == nullptr) PrinterFailed("the printer " + AnsiToUtf8(printer) + " cannot be opened");
  }
  PrinterContext(const PrinterContext&) = delete;
  PrinterContext& operator=(const PrinterContext&) = delete;
  ~PrinterContext() {
    if (documentOpen_) AbortDoc(dc_);
    if (font_ != nullptr) {
      SelectObject(dc_, oldFont_);
      DeleteObject(font_);
    }
    DeleteDC(dc_);
  }

  // The font: name, bold and size, in that order.
  void SetFont(const PrintJob& job) {
    LOGFONTA font{};
    if (job.fontName.size() >= LF_FACESIZE) throw RunTimeError(kPrinterError, "the font name is too long");
    std::memcpy(font.lfFaceName, job.fontName.data(), job.fontName.size());
    font.lfWeight = job.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = -MulDiv(job.points, GetDeviceCaps(dc_, LOGPIXELSY), kPointsPerInch);
    font_ = CreateFontIndirectA(&font);
    if (font_ == nullptr) PrinterFailed("the font cannot be set");
    oldFont_ = SelectObject(dc_, font_);
  }

  // A new document and page, the line at the page's top-left corner.
  void PrintLine(CodeView text) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = kDocumentName;
    if (StartDocA(dc_, &document) <= 0) PrinterFailed("the document cannot be started");
    documentOpen_ = true;
    if (StartPage(dc_) <= 0) PrinterFailed("the page cannot be started");
    if (!TextOutA(dc_, 0, 0, text.data(), static_cast<int>(text.size()))) {
      PrinterFailed("the text cannot be printed");
    }
    if (EndPage(dc_) <= 0) PrinterFailed("the page cannot be ended");
  }

  // Ends the document, so that the page goes to the printer.
  void EndDocument() {
    documentOpen_ = false;
    if (EndDoc(dc_) <= 0) PrinterFailed("the document cannot be ended");
  }

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  bool documentOpen_ = false;
};

}  // namespace

void Win32Printer::PrintLine(const PrintJob& job) {
  PrinterContext printer(DefaultPrinterName());
  printer.SetFont(job);
  printer.PrintLine(job.text);
  // A caller's busy pointer goes back to the arrow before the page leaves.
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  printer.EndDocument();
}

}  // namespace pelikar::util::win32
