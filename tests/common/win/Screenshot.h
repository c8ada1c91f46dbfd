#pragma once
// Screenshots of the Wine test environment's display, taken as a person would see the desktop (tools/lib/screenshot,
// ImageMagick's `import -window root`), for tests that check what reached the screen by region and colour.
// Facts that shape such tests: window regions and colour keys show; layered-window alpha is stored but drawn opaque
// (read it back with GetLayeredWindowAttributes); a child window of another process never reaches the screen
// (capture it with PrintWindow from its own process).
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nv::test {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// How far apart two colours are: the largest difference of one channel.
int ColourDistance(Rgb a, Rgb b);
Rgb ToRgb(COLORREF colour);

class Screenshot {
public:
  // Reads a binary PPM (P6, 8 bits per channel); throws when the file is not one.
  static Screenshot FromPpm(const std::wstring& path);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel at a point of the screen; throws outside the image.
  Rgb At(int x, int y) const;
  // True when every pixel of the rectangle is within `tolerance` of `colour`.
  bool AllNear(const RECT& area, Rgb colour, int tolerance) const;
  // The PNG a person can open (Unix path), when the shot was taken by TakeScreenshot.
  const std::string& PngPath() const { return pngPath_; }

private:
  friend Screenshot TakeScreenshot(std::string_view name);
  friend Screenshot CaptureWindow(HWND window);
  int width_ = 0, height_ = 0;
  std::vector<std::uint8_t> rgb_;
  std::string pngPath_;
};

// Shoots the whole display into the environment's "screenshots" folder as NAME-<process id>.png/.ppm.
Screenshot TakeScreenshot(std::string_view name);

// Pixels of one window as its own process draws them (PrintWindow with the client and frame), in window
// coordinates; works for a child of another process's window, which never reaches the screen under Wine.
Screenshot CaptureWindow(HWND window);

}  // namespace nv::test
