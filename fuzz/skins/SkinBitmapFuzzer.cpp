// The BMP decoder on any bytes: what it returns is as large as it says, within the cap, and every pixel of a
// 32-bit image is premultiplied (no colour above its alpha).
#include <cstdlib>

#include "skins/SkinBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = nv::DecodeBitmap({data, size});
  if (!image) return 0;
  const bool shaped = image->Width > 0 && image->Height > 0 && image->Width <= nv::kMaxBitmapSide &&
                      image->Height <= nv::kMaxBitmapSide &&
                      image->Pixels.size() == std::size_t(image->Width) * image->Height;
  if (!shaped) std::abort();
  for (const std::uint32_t p : image->Pixels) {
    const std::uint32_t a = p >> 24;
    if (image->Alpha ? ((p >> 16 & 0xFF) > a || (p >> 8 & 0xFF) > a || (p & 0xFF) > a) : a != 255) std::abort();
  }
  return 0;
}
