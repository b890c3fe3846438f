#include "dialogs/win32/screen.h"

#include <cmath>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelikar::dialogs::win32 {
namespace {

constexpr int kDefaultDpi = 96;
constexpr double kPointsPerInch = 72;

std::mutex classesMutex;
std::vector<std::wstring> registeredClasses;

}  // namespace

ScreenScale::ScreenScale() : dpiX_(kDefaultDpi), dpiY_(kDefaultDpi) {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  const int x = GetDeviceCaps(screen, LOGPIXELSX);
  const int y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (x > 0) dpiX_ = x;
  if (y > 0) dpiY_ = y;
}

TwipsPerPixel ScreenScale::twipsPerPixel() const {
  return {static_cast<double>(kTwipsPerInch) / dpiX_, static_cast<double>(kTwipsPerInch) / dpiY_};
}

int ScreenScale::FontHeight(double points) const {
  return -static_cast<int>(std::lround(points * dpiY_ / kPointsPerInch));
}

POINT PlacedAt(const ScreenScale& scale, const BoxPlacement& placement, int width, int height) {
  if (placement.centred) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
  }
  return {scale.PixelsX(placement.left), scale.PixelsY(placement.top)};
}

RECT PixelsOf(const ScreenScale& scale, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height) {
  const int x = scale.PixelsX(left);
  const int y = scale.PixelsY(top);
  return {x, y, x + scale.PixelsX(width), y + scale.PixelsY(height)};
}

HWND CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, int id, const RECT& at,
                 HFONT font) {
  const HWND child = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, at.left,
                                     at.top, at.right - at.left, at.bottom - at.top, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     CodeModule(), nullptr);
  if (child == nullptr) throw std::runtime_error("a control of a dialog could not be made");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

HINSTANCE CodeModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&CodeModule), &module);
  return module;
}

bool EnsureWindowClass(const wchar_t* name, WNDPROC procedure, int extraBytes) {
  std::lock_guard<std::mutex> lock(classesMutex);
  for (const std::wstring& known : registeredClasses) {
    if (known == name) return true;
  }
  WNDCLASSEXW description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = procedure;
  description.cbWndExtra = extraBytes;
  description.hInstance = CodeModule();
  description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  description.lpszClassName = name;
  if (RegisterClassExW(&description) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  registeredClasses.emplace_back(name);
  return true;
}

void UnregisterWindowClasses() {
  std::lock_guard<std::mutex> lock(classesMutex);
  for (const std::wstring& name : registeredClasses) UnregisterClassW(name.c_str(), CodeModule());
  registeredClasses.clear();
}

}  // namespace pelikar::dialogs::win32
