// Tag text under a Cyrillic system (code page 1251): single-byte text is the system's code page, UTF-16 stays
// UTF-16 whatever its high byte, and what the code page cannot hold is held marked.
#include <gtest/gtest.h>

#include "metadata/ID3v1.h"
#include "metadata/ID3v2.h"
#include "metadata/MediaFileReading.h"
#include "tests/metadata/MediaBytes.h"

namespace nv {
namespace {

using test::Bytes;

const Bytes kPrivetCp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";  // "Привет"

TEST(CodePage, SingleByteTagTextIsTheSystemCodePage) {
  const Bytes id3v2 = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", '\0' + kPrivetCp1251) +
                                            // U+00E9 in UTF-16: its high byte is 0, and it is still "é"
                                            test::Id3v2Frame(3, "TPE1", Bytes("\x01\xFF\xFE\xE9\x00", 5)));
  MemoryByteSource source2(test::AsBytes(id3v2));
  TID3v2 v2;
  ASSERT_TRUE(v2.Read(source2));
  EXPECT_EQ(v2.Title, u"\u041F\u0440\u0438\u0432\u0435\u0442");
  EXPECT_EQ(v2.Artist, u"\u00E9");

  const Bytes id3v1 = test::Id3v1Tag(kPrivetCp1251, "", "", "", "", 0);
  MemoryByteSource source1(test::AsBytes(id3v1));
  TMPEGaudio mpeg;
  mpeg.ID3v1.Read(source1);
  TXHeaderAttributes read;
  AddMPEGAttributes(mpeg, read);
  EXPECT_EQ(GetValue(read, kTitleAttribute).ToUtf16(), u"\u041F\u0440\u0438\u0432\u0435\u0442");
}

}  // namespace
}  // namespace nv
