#pragma once
// BMP files written byte by byte for the decoder's tables: the file header, the info headers of each generation and
// their colour tables, joined with "+" like the other media fixtures.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "tests/metadata/MediaBytes.h"

namespace nv::test {

inline Bytes LittleEndian16(std::uint16_t n) { return {char(n), char(n >> 8)}; }

// BITMAPINFOHEADER (40 bytes), or a longer header of `size` bytes padded with zeros after its first 40.
inline Bytes InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression = 0,
                        std::uint32_t colorsUsed = 0, std::uint32_t size = 40) {
  Bytes h = LittleEndian32(size) + LittleEndian32(std::uint32_t(width)) + LittleEndian32(std::uint32_t(height)) +
            LittleEndian16(1) /* planes */ + LittleEndian16(bits) + LittleEndian32(compression) +
            LittleEndian32(0) /* image size */ + LittleEndian32(2835) + LittleEndian32(2835) /* 72 dpi */ +
            LittleEndian32(colorsUsed) + LittleEndian32(0) /* important */;
  h.resize(size, '\0');
  return h;
}

// BITMAPCOREHEADER (12 bytes, 16-bit sides).
inline Bytes CoreHeader(std::uint16_t width, std::uint16_t height, std::uint16_t bits) {
  return LittleEndian32(12) + LittleEndian16(width) + LittleEndian16(height) + LittleEndian16(1) + LittleEndian16(bits);
}

// RGBQUAD entries (blue, green, red, 0) from 0xRRGGBB values.
inline Bytes Quads(std::initializer_list<std::uint32_t> colours) {
  Bytes out;
  for (std::uint32_t c : colours) out += Bytes{char(c), char(c >> 8), char(c >> 16), '\0'};
  return out;
}

// A whole file: the file header points at the pixels, which follow the header and the table.
inline Bytes Bmp(const Bytes& header, const Bytes& table, const Bytes& pixels) {
  const auto offset = std::uint32_t(14 + header.size() + table.size());
  return "BM" + LittleEndian32(std::uint32_t(offset + pixels.size())) + LittleEndian32(0) + LittleEndian32(offset) +
         header + table + pixels;
}

// A 24-bit file of `width` x `height` pixels, each 0xRRGGBB from `colourAt` (rows stored bottom-up, padded).
inline Bytes Bmp24(int width, int height, const std::function<std::uint32_t(int x, int y)>& colourAt) {
  Bytes pixels;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colourAt(x, y);
      pixels += Bytes{char(c), char(c >> 8), char(c >> 16)};
    }
    pixels.append(static_cast<std::size_t>((4 - width * 3 % 4) % 4), '\0');
  }
  return Bmp(InfoHeader(width, height, 24), "", pixels);
}

// A 32-bit file with alpha (straight, not premultiplied: the decoder premultiplies), each pixel 0xAARRGGBB.
inline Bytes Bmp32(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixelAt) {
  Bytes pixels;
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = pixelAt(x, y);
      pixels += Bytes{char(c), char(c >> 8), char(c >> 16), char(c >> 24)};
    }
  return Bmp(InfoHeader(width, height, 32), "", pixels);
}

}  // namespace nv::test
