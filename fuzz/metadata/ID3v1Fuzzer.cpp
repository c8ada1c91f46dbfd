// The ID3v1 reader on any bytes.
#include "fuzz/metadata/FuzzedSource.h"
#include "metadata/ID3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::MemoryByteSource source = nv::fuzz::Source(data, size);
  nv::TID3v1 tag;
  if (tag.Read(source) && tag.Exists) {
    volatile std::size_t sink = nv::fuzz::Touch(tag.Title) + nv::fuzz::Touch(tag.Artist) +
                                nv::fuzz::Touch(tag.Album) + nv::fuzz::Touch(tag.Year) +
                                nv::fuzz::Touch(tag.Comment) + nv::fuzz::Touch(tag.Genre()) + tag.Track;
    (void)sink;
  }
  return 0;
}
