// The Ogg Vorbis reader on any bytes, and what the player makes of its findings. A comment that is not UTF-8 is
// the one failure the reader raises.
#include "fuzz/metadata/FuzzedSource.h"
#include "metadata/MediaFileReading.h"
#include "support/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::MemoryByteSource source = nv::fuzz::Source(data, size);
  nv::TOggVorbis ogg;
  try {
    if (ogg.Read(source)) {
      nv::TXHeaderAttributes read;
      nv::AddOggVorbisAttributes(ogg, read);
      std::size_t sink = nv::fuzz::Touch(ogg.Vendor) + nv::fuzz::Touch(ogg.ChannelMode()) +
                         static_cast<std::size_t>(ogg.BitRate());
      for (const nv::TXHeaderAttribute& a : read) sink += nv::fuzz::Touch(a.Value.ToUtf16());
      volatile std::size_t kept = sink;
      (void)kept;
    }
  } catch (const nv::EConvertError&) {
  }
  return 0;
}
