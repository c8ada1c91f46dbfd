#include "skins/SkinBitmap.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace nv {
namespace {

// Compression codes of the info header.
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaxHeaderSize = 124;  // BITMAPV5HEADER
constexpr std::size_t kOs2HeaderSize = 64;   // OS/2 2.x: its codes 3 and 4 are Huffman and RLE24, not bit fields

std::uint32_t U32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return std::uint32_t(r) << 16 | g << 8 | b; }
constexpr std::uint32_t kOpaque = 0xFF000000u;
// Uncompressed 32 bits: blue, green, red and alpha bytes.
constexpr std::array<std::uint32_t, 4> kPlain32Masks{0xFF0000, 0xFF00, 0xFF, 0xFF000000u};

// One colour channel of a bit-fields pixel, scaled to 0..255.
class Channel {
public:
  explicit Channel(std::uint32_t mask) : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0) {
    max_ = mask >> shift_;
  }
  bool Present() const { return mask_ != 0; }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (max_ == 0) return 0;
    return static_cast<std::uint8_t>(std::uint64_t((pixel & mask_) >> shift_) * 255 / max_);
  }

private:
  std::uint32_t mask_;
  int shift_;
  std::uint32_t max_ = 0;
};

struct Header {
  std::size_t size = 0;
  std::int64_t width = 0, height = 0;
  unsigned bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colorsUsed = 0;
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  bool masksGiven = false;
};

class Decoder {
public:
  explicit Decoder(std::span<const std::uint8_t> file) : file_(file) {}

  std::optional<SkinBitmap> Run() {
    const bool bmp = file_.size() >= kFileHeaderSize + 4 && file_[0] == 'B' && file_[1] == 'M';
    if (!bmp) {
      Reject("not a BMP file");
      return std::nullopt;
    }
    if (!ReadHeader() || !CheckGeometry() || !ReadMasks() || !ReadPalette() || !FindPixels()) return std::nullopt;
    image_.Width = static_cast<int>(header_.width);
    image_.Height = static_cast<int>(Rows());
    image_.BitCount = static_cast<int>(header_.bitCount);
    image_.Pixels.assign(static_cast<std::size_t>(image_.Width) * image_.Height, kOpaque);
    if (header_.compression == kRle8 || header_.compression == kRle4)
      DecodeRle();
    else
      DecodeRows();
    if (header_.bitCount == 32) Premultiply();
    return std::move(image_);
  }

  std::string_view reason;

private:
  bool Reject(std::string_view why) {
    reason = why;
    return false;
  }

  bool ReadHeader() {
    header_.size = U32(&file_[kFileHeaderSize]);
    if (header_.size < kCoreHeaderSize || header_.size > kMaxHeaderSize) return Reject("unknown header size");
    if (file_.size() - kFileHeaderSize < header_.size) return Reject("header cut short");
    const std::uint8_t* h = &file_[kFileHeaderSize];
    if (header_.size == kCoreHeaderSize) {
      // BITMAPCOREHEADER: 16-bit sides, always bottom-up, no compression.
      header_.width = U16(h + 4);
      header_.height = U16(h + 6);
      header_.bitCount = U16(h + 10);
      return true;
    }
    // The info header layout; shorter OS/2 2.x headers end early, and what they leave out reads as zero.
    std::array<std::uint8_t, kMaxHeaderSize> copy{};
    std::memcpy(copy.data(), h, header_.size);
    header_.width = static_cast<std::int32_t>(U32(&copy[4]));
    header_.height = static_cast<std::int32_t>(U32(&copy[8]));
    header_.bitCount = U16(&copy[14]);
    header_.compression = U32(&copy[16]);
    header_.colorsUsed = U32(&copy[32]);
    if (header_.size >= 52) {  // BITMAPV2INFOHEADER and later carry the masks themselves
      for (int i = 0; i < 3; ++i) header_.masks[i] = U32(&copy[40 + 4 * i]);
      header_.masksGiven = true;
    }
    if (header_.size >= 56) header_.masks[3] = U32(&copy[52]);
    const bool os2 = header_.size < kInfoHeaderSize || header_.size == kOs2HeaderSize;
    if (os2 && header_.compression != kRgb && header_.compression != kRle8 && header_.compression != kRle4)
      return Reject("OS/2 compression");
    return true;
  }

  std::int64_t Rows() const { return header_.height < 0 ? -header_.height : header_.height; }

  bool CheckGeometry() {
    switch (header_.bitCount) {
      case 1:
      case 4:
      case 8:
      case 16:
      case 24:
      case 32:
        break;
      default:
        return Reject("unsupported bit count");
    }
    if (header_.width <= 0 || header_.height == 0) return Reject("empty image");
    if (header_.width > kMaxBitmapSide || Rows() > kMaxBitmapSide) return Reject("image too large");
    switch (header_.compression) {
      case kRgb:
        break;
      case kRle8:
        if (header_.bitCount != 8) return Reject("RLE8 needs 8 bits");
        break;
      case kRle4:
        if (header_.bitCount != 4) return Reject("RLE4 needs 4 bits");
        break;
      case kBitFields:
      case kAlphaBitFields:
        if (header_.bitCount != 16 && header_.bitCount != 32) return Reject("bit fields need 16 or 32 bits");
        break;
      default:
        return Reject("unsupported compression");
    }
    // Run-length data is bottom-up by definition.
    if (header_.height < 0 && (header_.compression == kRle8 || header_.compression == kRle4))
      return Reject("top-down RLE");
    return true;
  }

  // Where the colour table (or the masks of a 40-byte header) starts.
  std::size_t TableStart() const { return kFileHeaderSize + header_.size; }

  bool ReadMasks() {
    const bool fields = header_.compression == kBitFields || header_.compression == kAlphaBitFields;
    if (!fields) {
      // Uncompressed 16 bits are 5-5-5; 32 bits are blue, green, red and alpha bytes.
      header_.masks = header_.bitCount == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                             : kPlain32Masks;
      return true;
    }
    if (!header_.masksGiven) {
      // A plain info header: the masks follow it, three of them, or four for BI_ALPHABITFIELDS.
      const std::size_t count = header_.compression == kAlphaBitFields ? 4 : 3;
      if (file_.size() - TableStart() < count * 4) return Reject("masks cut short");
      for (std::size_t i = 0; i < count; ++i) header_.masks[i] = U32(&file_[TableStart() + 4 * i]);
      masksAfterHeader_ = count * 4;
    }
    return true;
  }

  bool ReadPalette() {
    if (header_.bitCount > 8) return true;
    const std::size_t most = std::size_t{1} << header_.bitCount;
    std::size_t count = header_.colorsUsed == 0 ? most : std::min<std::size_t>(header_.colorsUsed, most);
    const std::size_t entry = header_.size == kCoreHeaderSize ? 3 : 4;  // RGBTRIPLE or RGBQUAD
    const std::size_t start = TableStart() + masksAfterHeader_;
    if (start > file_.size() || (file_.size() - start) / entry < count) return Reject("palette outside the file");
    image_.Palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* p = &file_[start + i * entry];
      image_.Palette[i] = Rgb(p[2], p[1], p[0]);
    }
    paletteEnd_ = start + count * entry;
    return true;
  }

  bool FindPixels() {
    std::size_t offset = U32(&file_[10]);
    // Some writers leave the offset zero: the pixels then follow the colour table.
    if (offset == 0) offset = std::max(paletteEnd_, TableStart() + masksAfterHeader_);
    if (offset >= file_.size()) return Reject("pixels outside the file");
    pixels_ = file_.subspan(offset);
    // Uncompressed rows must all be there before anything is allocated for them.
    const bool rle = header_.compression == kRle8 || header_.compression == kRle4;
    if (!rle && Stride() * static_cast<std::uint64_t>(Rows()) > pixels_.size()) return Reject("pixels cut short");
    return true;
  }

  std::uint64_t Stride() const { return (std::uint64_t(header_.width) * header_.bitCount + 31) / 32 * 4; }

  std::uint32_t FromPalette(std::size_t index) const {
    return kOpaque | (index < image_.Palette.size() ? image_.Palette[index] : 0);
  }

  void DecodeRows() {
    const std::uint64_t stride = Stride();
    const std::uint64_t rows = static_cast<std::uint64_t>(Rows());
    const bool plain32 =
        std::endian::native == std::endian::little && header_.bitCount == 32 && header_.masks == kPlain32Masks;
    for (std::uint64_t r = 0; r < rows; ++r) {
      const std::uint8_t* row = pixels_.data() + r * stride;
      const std::uint64_t y = header_.height < 0 ? r : rows - 1 - r;
      std::uint32_t* out = &image_.Pixels[y * image_.Width];
      if (plain32)  // blue, green, red, alpha: already the layout of a pixel
        std::memcpy(out, row, static_cast<std::size_t>(image_.Width) * 4);
      else
        DecodeRow(row, out);
    }
  }

  void DecodeRow(const std::uint8_t* row, std::uint32_t* out) const {
    const int width = image_.Width;
    switch (header_.bitCount) {
      case 1:
        for (int x = 0; x < width; ++x) out[x] = FromPalette(row[x >> 3] >> (7 - (x & 7)) & 1);
        break;
      case 4:
        for (int x = 0; x < width; ++x) out[x] = FromPalette(x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
        break;
      case 8:
        for (int x = 0; x < width; ++x) out[x] = FromPalette(row[x]);
        break;
      case 24:
        for (int x = 0; x < width; ++x, row += 3) out[x] = kOpaque | Rgb(row[2], row[1], row[0]);
        break;
      default: {
        const Channel red(header_.masks[0]), green(header_.masks[1]), blue(header_.masks[2]), alpha(header_.masks[3]);
        const bool withAlpha = header_.bitCount == 32 && alpha.Present();
        for (int x = 0; x < width; ++x) {
          const std::uint32_t v = header_.bitCount == 16 ? U16(row + 2 * x) : U32(row + 4 * x);
          out[x] = std::uint32_t(withAlpha ? alpha.Of(v) : 255) << 24 | Rgb(red.Of(v), green.Of(v), blue.Of(v));
        }
      }
    }
  }

  // RLE8 and RLE4 (bottom-up). Pixels the runs skip keep colour 0; runs that reach past a row's end or past the
  // top are cut; data that ends early ends the image.
  void DecodeRle() {
    const bool four = header_.compression == kRle4;
    const std::int64_t width = header_.width, rows = Rows();
    std::int64_t x = 0, y = 0;
    std::size_t i = 0;
    const std::size_t n = pixels_.size();
    std::fill(image_.Pixels.begin(), image_.Pixels.end(), FromPalette(0));
    auto put = [&](std::size_t index) {
      if (x < width && y < rows)
        image_.Pixels[static_cast<std::size_t>((rows - 1 - y) * width + x)] = FromPalette(index);
      ++x;
    };
    while (i + 1 < n && y < rows) {
      const std::uint8_t count = pixels_[i], value = pixels_[i + 1];
      i += 2;
      if (count > 0) {  // an encoded run
        for (unsigned k = 0; k < count && x < width; ++k) put(four ? (k & 1 ? value & 0x0F : value >> 4) : value);
        continue;
      }
      if (value == 0) {  // end of line
        x = 0;
        ++y;
      } else if (value == 1) {  // end of bitmap
        break;
      } else if (value == 2) {  // delta
        if (i + 1 >= n) break;
        x += pixels_[i];
        y += pixels_[i + 1];
        i += 2;
      } else {  // an absolute run of `value` pixels, padded to a 16-bit boundary
        const std::size_t bytes = four ? (value + 1u) / 2 : value;
        if (n - i < bytes) break;
        for (unsigned k = 0; k < value; ++k) {
          const std::uint8_t b = pixels_[i + (four ? k / 2 : k)];
          put(four ? (k & 1 ? b & 0x0F : b >> 4) : b);
        }
        i += (bytes + 1) & ~std::size_t{1};
      }
    }
  }

  void Premultiply() {
    image_.Alpha = true;
    const bool anyAlpha =
        std::any_of(image_.Pixels.begin(), image_.Pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
    if (!anyAlpha) {
      for (std::uint32_t& p : image_.Pixels) p |= kOpaque;
      return;
    }
    // c x a / 255 in integers, without a division: (n + 1 + (n >> 8)) >> 8 is n / 255 for every n up to 255 x 255.
    auto times = [](std::uint32_t c, std::uint32_t a) {
      const std::uint32_t n = c * a;
      return (n + 1 + (n >> 8)) >> 8;
    };
    for (std::uint32_t& p : image_.Pixels) {
      const std::uint32_t a = p >> 24;
      if (a == 255) continue;
      p = a << 24 | times(p >> 16 & 0xFF, a) << 16 | times(p >> 8 & 0xFF, a) << 8 | times(p & 0xFF, a);
    }
  }

  std::span<const std::uint8_t> file_;
  Header header_;
  std::size_t masksAfterHeader_ = 0;
  std::size_t paletteEnd_ = 0;
  std::span<const std::uint8_t> pixels_;
  SkinBitmap image_;
};

}  // namespace

std::optional<SkinBitmap> DecodeBitmap(std::span<const std::uint8_t> file, std::string_view* reason) {
  Decoder decoder(file);
  std::optional<SkinBitmap> image = decoder.Run();
  if (reason) *reason = image ? std::string_view() : decoder.reason;
  return image;
}

}  // namespace nv
