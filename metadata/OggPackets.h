#pragma once
// Packets of the first logical stream of an Ogg file, read as a stream of bytes across the segments and pages they
// span. Bytes that are skipped are never fetched: only the page headers on the way are, so a comment header that
// carries a picture costs a read per page, not its size.
#include <array>
#include <cstddef>
#include <cstdint>

#include "support/ByteSource.h"
#include "support/SourceRegion.h"

namespace nv {

class OggPacketReader {
public:
  // `head` holds the source's first bytes; other bytes are read into a window of the reader's own.
  OggPacketReader(ByteSource& source, const SourceRegion& head) : source_(source), head_(head) {}

  // Moves to the start of the next packet (the first call: the first packet). False when there is none.
  bool NextPacket();
  // Copies `count` bytes of the current packet; false when the packet (or the file) ends first.
  bool Read(std::uint8_t* out, std::size_t count) { return Advance(out, count); }
  // Passes over `count` bytes of the current packet; false when it ends first.
  bool Skip(std::uint64_t count) { return Advance(nullptr, count); }

private:
  bool Advance(std::uint8_t* out, std::uint64_t count);
  bool NextSegment();
  bool NextPage();
  // The region that holds [offset, offset + length), reading `window` bytes there when neither does.
  const SourceRegion* Holding(std::uint64_t offset, std::size_t length, std::size_t window);

  ByteSource& source_;
  const SourceRegion& head_;
  SourceRegion window_;
  bool started_ = false;
  std::uint32_t serial_ = 0;
  std::uint64_t pageEnd_ = 0;  // where the next page begins
  std::array<std::uint8_t, 255> lacing_{};
  std::size_t segments_ = 0, segment_ = 0;  // of the current page
  std::uint64_t data_ = 0;                  // the file offset of the next byte
  std::size_t left_ = 0;                    // bytes left in the current segment
  bool ended_ = true;                       // the current packet's last segment has been entered
};

}  // namespace nv
