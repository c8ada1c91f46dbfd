// The portable BMP decoder: every header generation, bit depth and compression a skin may carry, and the files it
// must refuse without reading or allocating past what they hold.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "skins/SkinBitmap.h"
#include "tests/skins/BmpBytes.h"

namespace nv {
namespace {

using test::AsBytes;
using test::Bmp;
using test::Bytes;
using test::CoreHeader;
using test::InfoHeader;
using test::LittleEndian16;
using test::LittleEndian32;
using test::Quads;

constexpr std::uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// A header with bytes replaced from `at` on (masks inside V4 headers, a zeroed pixel offset).
Bytes Patched(Bytes bytes, std::size_t at, const Bytes& with) { return bytes.replace(at, with.size(), with); }

struct Case {
  const char* what;
  Bytes file;
  int width, height, bits;
  std::vector<std::uint32_t> pixels;  // top-down
  bool alpha = false;
};

// clang-format off
const Case kDecoded[] = {
    {"24 bits, bottom-up, rows padded to four bytes",
     Bmp(InfoHeader(2, 2, 24), "",
         Bytes("\x33\x22\x11" "\x66\x55\x44" "\0\0", 8) +  // the bottom row comes first
         Bytes("\xCC\xBB\xAA" "\xFF\xEE\xDD" "\0\0", 8)),
     2, 2, 24, {0xFFAABBCC, 0xFFDDEEFF, 0xFF112233, 0xFF445566}},
    {"24 bits, top-down (negative height)",
     Bmp(InfoHeader(2, -2, 24), "",
         Bytes("\x33\x22\x11" "\x66\x55\x44" "\0\0", 8) + Bytes("\xCC\xBB\xAA" "\xFF\xEE\xDD" "\0\0", 8)),
     2, 2, 24, {0xFF112233, 0xFF445566, 0xFFAABBCC, 0xFFDDEEFF}},
    {"32 bits: colours premultiplied by alpha with integer division",
     Bmp(InfoHeader(3, 1, 32), "", Bytes("\x32\x64\xC8\x80" "\x03\x02\x01\xFF" "\x09\x09\x09\x00", 12)),
     3, 1, 32, {0x80643219, 0xFF010203, 0x00000000}, true},
    {"32 bits whose alpha is all zero: opaque, colours kept",
     Bmp(InfoHeader(2, 1, 32), "", Bytes("\x03\x02\x01\0" "\x06\x05\x04\0", 8)),
     2, 1, 32, {0xFF010203, 0xFF040506}, true},
    {"1 bit, a row of nine pixels across two bytes",
     Bmp(InfoHeader(9, 1, 1, 0, 2), Quads({0x000000, 0xFFFFFF}), Bytes("\xA0\x80\0\0", 4)),
     9, 1, 1, {0xFFFFFFFF, kBlack, 0xFFFFFFFF, kBlack, kBlack, kBlack, kBlack, kBlack, 0xFFFFFFFF}},
    {"4 bits, odd width, a colour table of three",
     Bmp(InfoHeader(3, 1, 4, 0, 3), Quads({0xFF0000, 0x00FF00, 0x0000FF}), Bytes("\x01\x20\0\0", 4)),
     3, 1, 4, {kRed, kGreen, kBlue}},
    {"8 bits: an index beyond a short colour table is black",
     Bmp(InfoHeader(2, 1, 8, 0, 2), Quads({0x102030, 0x405060}), Bytes("\x01\x07\0\0", 4)),
     2, 1, 8, {0xFF405060, kBlack}},
    {"16 bits uncompressed: 5-5-5",
     Bmp(InfoHeader(2, 1, 16), "", LittleEndian16(0x7C00) + LittleEndian16(0x001F)),
     2, 1, 16, {kRed, kBlue}},
    {"16 bits with bit fields after a 40-byte header: 5-6-5",
     Bmp(InfoHeader(2, 1, 16, 3), LittleEndian32(0xF800) + LittleEndian32(0x07E0) + LittleEndian32(0x001F),
         LittleEndian16(0x07E0) + LittleEndian16(0xF800)),
     2, 1, 16, {kGreen, kRed}},
    {"32 bits with bit fields inside a V4 header (red in the low byte)",
     Bmp(Patched(InfoHeader(1, 1, 32, 3, 0, 108), 40,
                 LittleEndian32(0xFF) + LittleEndian32(0xFF00) + LittleEndian32(0xFF0000) + LittleEndian32(0xFF000000)),
         "", Bytes("\x11\x22\x33\xFF", 4)),
     1, 1, 32, {0xFF112233}, true},
    {"the OS/2 core header, with three-byte colours",
     Bmp(CoreHeader(2, 1, 1), Bytes("\0\0\xFF" "\0\xFF\0", 6), Bytes("\x40\0\0\0", 4)),
     2, 1, 1, {kRed, kGreen}},
    {"an OS/2 2.x header of 64 bytes",
     Bmp(InfoHeader(1, 1, 24, 0, 0, 64), "", Bytes("\x03\x02\x01\0", 4)),
     1, 1, 24, {0xFF010203}},
    {"a V5 header of 124 bytes, 32 bits with alpha",
     Bmp(InfoHeader(1, 1, 32, 0, 0, 124), "", Bytes("\x1E\x14\x0A\xFF", 4)),
     1, 1, 32, {0xFF0A141E}, true},
    {"RLE8: a run cut at the row's end, an absolute run, a delta; skipped pixels take colour 0",
     Bmp(InfoHeader(4, 3, 8, 1, 4), Quads({0x000000, 0x0000FF, 0x00FF00, 0xFF0000}),
         Bytes("\x06\x01"                  // six of colour 1 on a row of four
               "\x00\x00"                  // end of line
               "\x00\x03\x02\x03\x02\x00"  // three literal pixels, padded to a 16-bit boundary
               "\x00\x00"                  // end of line
               "\x00\x02\x02\x00"          // move right by two
               "\x02\x03"                  // two of colour 3
               "\x00\x01",                 // end of bitmap
               20)),
     4, 3, 8,
     {kBlack, kBlack, kRed, kRed,  // the last row written is the top one
      kGreen, kRed, kGreen, kBlack,
      kBlue, kBlue, kBlue, kBlue}},
    {"RLE4: nibbles alternate in runs and literal runs",
     Bmp(InfoHeader(5, 1, 4, 2, 3), Quads({0x000000, 0x0000FF, 0x00FF00}),
         Bytes("\x03\x12"          // 1, 2, 1
               "\x00\x03\x21\x20"  // literal 2, 1, 2: the last lies past the row and is cut
               "\x00\x01",
               8)),
     5, 1, 4, {kBlue, kGreen, kBlue, kGreen, kBlue}},
    {"a pixel offset of zero: the pixels follow the colour table",
     Patched(Bmp(InfoHeader(1, 1, 8, 0, 1), Quads({0x123456}), Bytes("\0\0\0\0", 4)), 10, LittleEndian32(0)),
     1, 1, 8, {0xFF123456}},
};
// clang-format on

TEST(SkinBitmap, DecodesEveryLayout) {
  for (const Case& c : kDecoded) {
    SCOPED_TRACE(c.what);
    std::string_view reason;
    const auto image = DecodeBitmap(AsBytes(c.file), &reason);
    ASSERT_TRUE(image) << reason;
    EXPECT_EQ(image->Width, c.width);
    EXPECT_EQ(image->Height, c.height);
    EXPECT_EQ(image->BitCount, c.bits);
    EXPECT_EQ(image->Alpha, c.alpha);
    EXPECT_EQ(image->Pixels, c.pixels);
  }
}

TEST(SkinBitmap, KeepsTheColourTableOfIndexedImages) {
  const auto image =
      DecodeBitmap(AsBytes(Bmp(InfoHeader(1, 1, 4, 0, 2), Quads({0x000000, 0xFF0000}), Bytes("\x10\0\0\0", 4))));
  ASSERT_TRUE(image);
  EXPECT_THAT(image->Palette, ::testing::ElementsAre(0x000000u, 0xFF0000u));
}

struct Refusal {
  const char* what;
  Bytes file;
  const char* reason;
};

const Refusal kRefused[] = {
    {"no \"BM\"", Patched(Bmp(InfoHeader(1, 1, 24), "", Bytes(4, '\0')), 0, "BA"), "not a BMP file"},
    {"a header of 11 bytes", Patched(Bmp(InfoHeader(1, 1, 24), "", Bytes(4, '\0')), 14, LittleEndian32(11)),
     "unknown header size"},
    {"a header of 125 bytes", Bmp(InfoHeader(1, 1, 24, 0, 0, 125), "", Bytes(4, '\0')), "unknown header size"},
    {"a header longer than the file", Bmp(InfoHeader(1, 1, 24), "", "").substr(0, 30), "header cut short"},
    {"2 bits per pixel", Bmp(InfoHeader(1, 1, 2), Quads({0, 0, 0, 0}), Bytes(4, '\0')), "unsupported bit count"},
    {"width 0", Bmp(InfoHeader(0, 1, 24), "", Bytes(4, '\0')), "empty image"},
    {"negative width", Bmp(InfoHeader(-1, 1, 24), "", Bytes(4, '\0')), "empty image"},
    {"height 0", Bmp(InfoHeader(1, 0, 24), "", Bytes(4, '\0')), "empty image"},
    {"a side above the cap", Bmp(InfoHeader(4097, 1, 8, 1, 1), Quads({0}), Bytes("\0\x01", 2)), "image too large"},
    {"the most negative height", Bmp(InfoHeader(1, INT32_MIN, 24), "", Bytes(4, '\0')), "image too large"},
    {"JPEG inside a BMP", Bmp(InfoHeader(1, 1, 24, 4), "", Bytes(4, '\0')), "unsupported compression"},
    {"top-down RLE8", Bmp(InfoHeader(1, -1, 8, 1, 1), Quads({0}), Bytes("\0\x01", 2)), "top-down RLE"},
    {"RLE8 on 4 bits", Bmp(InfoHeader(1, 1, 4, 1, 1), Quads({0}), Bytes("\0\x01", 2)), "RLE8 needs 8 bits"},
    {"bit fields on 24 bits", Bmp(InfoHeader(1, 1, 24, 3), Bytes(12, '\xFF'), Bytes(4, '\0')),
     "bit fields need 16 or 32 bits"},
    {"code 3 in an OS/2 2.x header is Huffman, not bit fields", Bmp(InfoHeader(1, 1, 16, 3, 0, 64), "", Bytes(4, '\0')),
     "OS/2 compression"},
    {"bit fields that the file ends before", Bmp(InfoHeader(1, 1, 16, 3), "", "").append(8, '\xFF'), "masks cut short"},
    {"a colour table of 256 in a file of a few bytes", Bmp(InfoHeader(1, 1, 8), Quads({0}), Bytes(4, '\0')),
     "palette outside the file"},
    {"a pixel offset past the end", Patched(Bmp(InfoHeader(1, 1, 24), "", Bytes(4, '\0')), 10, LittleEndian32(999)),
     "pixels outside the file"},
    {"one row missing", Bmp(InfoHeader(1, 2, 24), "", Bytes(4, '\0')), "pixels cut short"},
    {"4096 x 4096 claimed by a file of a few bytes: refused before anything is allocated",
     Bmp(InfoHeader(4096, 4096, 32), "", Bytes(64, '\0')), "pixels cut short"},
};

TEST(SkinBitmap, RefusesWhatItCannotHoldToItsHeaders) {
  for (const Refusal& c : kRefused) {
    SCOPED_TRACE(c.what);
    std::string_view reason;
    EXPECT_FALSE(DecodeBitmap(AsBytes(c.file), &reason));
    EXPECT_EQ(reason, c.reason);
  }
}

}  // namespace
}  // namespace nv
