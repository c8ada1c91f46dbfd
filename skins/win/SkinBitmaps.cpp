#include "skins/win/SkinBitmaps.h"

#include <cstring>
#include <unordered_map>

namespace nv {

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

struct CacheEntry {
  std::weak_ptr<const SkinBitmap> image;
  std::unique_ptr<GdiSkinBitmap> gdi;
};

std::unordered_map<const SkinBitmap*, CacheEntry>& Cache() {
  static std::unordered_map<const SkinBitmap*, CacheEntry> cache;
  return cache;
}

}  // namespace

GdiSkinBitmap::GdiSkinBitmap(const SkinBitmap& image)
    : width_(image.Width), height_(image.Height), alpha_(image.Alpha), dc_(CreateCompatibleDC(nullptr)) {
  const BITMAPINFO info = TopDown32(width_, height_);
  void* bits = nullptr;
  bitmap_ = UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bits && image.Pixels.size() == static_cast<std::size_t>(width_) * height_)
    std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(std::uint32_t));
  if (dc_ && bitmap_) previous_ = SelectObject(dc_.Get(), bitmap_.Get());
}

GdiSkinBitmap::~GdiSkinBitmap() {
  if (previous_) SelectObject(dc_.Get(), previous_);
}

const GdiSkinBitmap* GdiBitmapOf(const std::shared_ptr<const SkinBitmap>& image) {
  if (!image || image->Empty()) return nullptr;
  auto& cache = Cache();
  const auto found = cache.find(image.get());
  if (found != cache.end() && found->second.image.lock() == image) return found->second.gdi.get();
  // A new image (a skin was loaded): the drawable forms of images that are gone go with it.
  std::erase_if(cache, [](const auto& entry) { return entry.second.image.expired(); });
  auto& entry = cache[image.get()];
  entry.image = image;
  entry.gdi = std::make_unique<GdiSkinBitmap>(*image);
  return entry.gdi.get();
}

PixelSurface::PixelSurface(int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1), dc_(CreateCompatibleDC(nullptr)) {
  const BITMAPINFO info = TopDown32(width_, height_);
  void* bits = nullptr;
  bitmap_ = UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<std::uint32_t*>(bits);
  if (bits_) std::memset(bits_, 0, static_cast<std::size_t>(width_) * height_ * sizeof(std::uint32_t));
  if (dc_ && bitmap_) selected_ = std::make_unique<SelectedObject>(dc_.Get(), bitmap_.Get());
}

const std::uint32_t* PixelSurface::Pixels() const {
  GdiFlush();
  return bits_;
}

}  // namespace nv
