// The ID3v2 reader on any bytes.
#include "fuzz/metadata/FuzzedSource.h"
#include "metadata/ID3v2.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::MemoryByteSource source = nv::fuzz::Source(data, size);
  nv::TID3v2 tag;
  if (tag.Read(source) && tag.Exists) {
    using nv::fuzz::Touch;
    volatile std::size_t sink = Touch(tag.Title) + Touch(tag.Artist) + Touch(tag.Album) + Touch(tag.TrackString) +
                                Touch(tag.Year) + Touch(tag.Genre) + Touch(tag.Comment) + Touch(tag.Composer) +
                                Touch(tag.Encoder) + Touch(tag.Copyright) + Touch(tag.Language) + Touch(tag.Link) +
                                tag.Track + tag.Size;
    (void)sink;
  }
  return 0;
}
