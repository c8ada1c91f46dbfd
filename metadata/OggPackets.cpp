#include "metadata/OggPackets.h"

#include <algorithm>
#include <cstring>

#include "metadata/ByteFields.h"
#include "metadata/MetadataConstants.h"

namespace nv {

namespace {
// Page header: "OggS" version[1] type[1] granule[8] serial[4] sequence[4] crc[4] segments[1] lacing[segments]
constexpr std::size_t kPageHeaderSize = 27;
constexpr std::size_t kSerialOffset = 14;
constexpr std::size_t kSegmentCountOffset = 26;
// Pages are looked for no further into the file than a tag region and the head that precedes it.
constexpr std::uint64_t kPageLimit = kMaxTagRegion + kTagWindowSize;
// A page header is read with a little of the page after it: enough for the lacing values and the first strings,
// little enough that passing over a long packet page by page fetches a small part of it.
constexpr std::size_t kPageWindow = 2048;
}  // namespace

const SourceRegion* OggPacketReader::Holding(std::uint64_t offset, std::size_t length, std::size_t window) {
  if (head_.Holds(offset, length)) return &head_;
  if (!window_.Holds(offset, length)) window_.Read(source_, offset, std::max(length, window));
  return window_.Holds(offset, length) ? &window_ : nullptr;
}

bool OggPacketReader::NextPage() {
  for (std::uint64_t pos = pageEnd_; pos < kPageLimit;) {
    const SourceRegion* header = Holding(pos, kPageHeaderSize, kPageWindow);
    if (!header) return false;
    const bytes::Bytes h = header->At(pos, kPageHeaderSize);
    if (!bytes::HasText(h, 0, "OggS")) return false;
    const std::uint32_t serial = bytes::LittleEndian32(h.data() + kSerialOffset);
    const std::size_t segments = h[kSegmentCountOffset];
    const SourceRegion* lacing = Holding(pos + kPageHeaderSize, segments, kPageWindow);
    if (!lacing) return false;
    const bytes::Bytes values = lacing->At(pos + kPageHeaderSize, segments);
    std::uint64_t body = 0;
    for (const std::uint8_t v : values) body += v;
    const std::uint64_t data = pos + kPageHeaderSize + segments;
    if (!started_) {
      started_ = true;
      serial_ = serial;
    }
    if (serial != serial_) {  // a page of another stream
      pos = data + body;
      continue;
    }
    std::copy(values.begin(), values.end(), lacing_.begin());
    segments_ = segments;
    segment_ = 0;
    data_ = data;
    pageEnd_ = data + body;
    return true;
  }
  return false;
}

bool OggPacketReader::NextSegment() {
  while (segment_ == segments_)
    if (!NextPage()) return false;
  left_ = lacing_[segment_++];
  ended_ = left_ < 255;  // a short segment ends its packet
  return true;
}

bool OggPacketReader::NextPacket() {
  if (!started_ && !NextPage()) return false;
  while (!ended_ || left_ > 0) {  // the rest of the current packet
    if (!Skip(~std::uint64_t{0} >> 1) && !(ended_ && left_ == 0)) return false;
  }
  ended_ = false;
  return true;
}

bool OggPacketReader::Advance(std::uint8_t* out, std::uint64_t count) {
  while (count > 0) {
    if (left_ == 0) {
      if (ended_ || !NextSegment()) return false;
      continue;
    }
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(count, left_));
    if (out) {
      const SourceRegion* region = Holding(data_, take, kTagWindowSize);
      if (!region) return false;
      std::memcpy(out, region->At(data_, take).data(), take);
      out += take;
    }
    data_ += take;
    left_ -= take;
    count -= take;
  }
  return true;
}

}  // namespace nv
