#include "tests/common/win/Screenshot.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/common/win/WineTestEnv.h"

namespace nv::test {

int ColourDistance(Rgb a, Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

Rgb ToRgb(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

namespace {
std::wstring Utf8ToWide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// The next whitespace-separated number of a PPM header; comments run from '#' to the end of the line.
int HeaderNumber(const std::vector<std::uint8_t>& data, std::size_t& at) {
  for (;;) {
    while (at < data.size() && std::isspace(data[at])) ++at;
    if (at < data.size() && data[at] == '#') {
      while (at < data.size() && data[at] != '\n') ++at;
      continue;
    }
    break;
  }
  int value = 0;
  const std::size_t start = at;
  while (at < data.size() && data[at] >= '0' && data[at] <= '9' && value < 1'000'000) value = value * 10 + (data[at++] - '0');
  if (at == start) throw std::runtime_error("not a binary PPM");
  return value;
}
}  // namespace

Screenshot Screenshot::FromPpm(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 2 || data[0] != 'P' || data[1] != '6') throw std::runtime_error("not a binary PPM");
  std::size_t at = 2;
  Screenshot shot;
  shot.width_ = HeaderNumber(data, at);
  shot.height_ = HeaderNumber(data, at);
  if (HeaderNumber(data, at) != 255) throw std::runtime_error("not an 8-bit PPM");
  ++at;  // the single whitespace after the header
  const std::size_t size = std::size_t(shot.width_) * shot.height_ * 3;
  if (data.size() < at + size) throw std::runtime_error("a PPM cut short");
  shot.rgb_.assign(data.begin() + at, data.begin() + at + size);
  return shot;
}

Rgb Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("a point outside the screenshot");
  const std::uint8_t* p = &rgb_[(std::size_t(y) * width_ + x) * 3];
  return {p[0], p[1], p[2]};
}

bool Screenshot::AllNear(const RECT& area, Rgb colour, int tolerance) const {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (ColourDistance(At(x, y), colour) > tolerance) return false;
  return true;
}

Screenshot TakeScreenshot(std::string_view name) {
  char tool[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("NV_SCREENSHOT", tool, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("not inside the Wine test environment");
  const std::string dir = EnvDir() + "/screenshots";
  CreateDirectoryW(UnixToWindowsPath(dir).c_str(), nullptr);
  const std::string out = dir + "/" + std::string(name) + "-" + std::to_string(GetCurrentProcessId());
  const std::wstring done = UnixToWindowsPath(out + ".done");
  DeleteFileW(done.c_str());
  StartUnixCommand(L"/bin/bash " + Utf8ToWide(std::string(tool, length)) + L" " + Utf8ToWide(out));
  if (!WaitForFile(done, 20000)) throw std::runtime_error("the screenshot was not taken");
  Screenshot shot = Screenshot::FromPpm(UnixToWindowsPath(out + ".ppm"));
  shot.pngPath_ = out + ".png";
  return shot;
}

Screenshot CaptureWindow(HWND window) {
  RECT bounds{};
  if (!GetWindowRect(window, &bounds)) throw std::runtime_error("no such window");
  Screenshot shot;
  shot.width_ = bounds.right - bounds.left;
  shot.height_ = bounds.bottom - bounds.top;
  if (shot.width_ <= 0 || shot.height_ <= 0) throw std::runtime_error("an empty window");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width_;
  info.bmiHeader.biHeight = -shot.height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const BOOL printed = PrintWindow(window, memory, 0);
  GdiFlush();
  shot.rgb_.resize(std::size_t(shot.width_) * shot.height_ * 3);
  const auto* source = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0, n = std::size_t(shot.width_) * shot.height_; i < n; ++i) {
    shot.rgb_[i * 3 + 0] = source[i * 4 + 2];
    shot.rgb_[i * 3 + 1] = source[i * 4 + 1];
    shot.rgb_[i * 3 + 2] = source[i * 4 + 0];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  if (!printed) throw std::runtime_error("PrintWindow failed");
  return shot;
}

}  // namespace nv::test
