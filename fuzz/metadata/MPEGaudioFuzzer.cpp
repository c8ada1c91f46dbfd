// The MPEG audio reader (with both tags) on any bytes, and what the player makes of its findings.
#include "fuzz/metadata/FuzzedSource.h"
#include "metadata/MediaFileReading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::MemoryByteSource source = nv::fuzz::Source(data, size);
  nv::TMPEGaudio mpeg;
  if (mpeg.Read(source)) {
    nv::TXHeaderAttributes read;
    nv::AddMPEGAttributes(mpeg, read);
    std::size_t sink = nv::fuzz::Touch(mpeg.Encoder) + nv::fuzz::Touch(mpeg.VBR.VendorID) + mpeg.VBR.Scale +
                       static_cast<std::size_t>(mpeg.SampleRate() + mpeg.Channels() + mpeg.Frame.Empty);
    for (const nv::TXHeaderAttribute& a : read) sink += nv::fuzz::Touch(a.Value.ToUtf16());
    volatile std::size_t kept = sink;
    (void)kept;
  }
  return 0;
}
