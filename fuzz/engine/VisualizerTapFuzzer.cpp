// The visualiser tap reads whatever a decoder delivers, in whatever format it announced. The input is a wave
// format (tag, channels, rate, block align, bits, a float sub-format flag) and then samples: each one a length
// byte, a play-time step byte and that many bytes of audio (a step of 255 starts a new segment). Every block
// queued is shown in a frame, as a tick would.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "engine/VisualizationFrame.h"
#include "engine/VisualizerTapStream.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

template <class T>
T Take(const std::uint8_t*& data, std::size_t& size) {
  T value{};
  const std::size_t n = std::min(sizeof value, size);
  if (n > 0) std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::TapWaveFormat format;
  format.formatTag = Take<std::uint16_t>(data, size);
  format.channels = Take<std::uint16_t>(data, size);
  format.samplesPerSecond = Take<std::uint32_t>(data, size);
  format.blockAlign = Take<std::uint16_t>(data, size);
  format.bitsPerSample = Take<std::uint16_t>(data, size);
  const auto flags = Take<std::uint8_t>(data, size);
  format.floatSubFormat = flags & 1;
  const auto wanted = static_cast<std::uint8_t>(flags >> 1 & 3);

  nv::VisualizerTapStream stream;
  stream.SetLayout(nv::TapLayoutOf(format));
  static nv::VisualizerFrameBuilder builder;  // the spectrum's tables are made once
  std::int64_t playTime = 0;
  while (size >= 2) {
    const auto units = Take<std::uint8_t>(data, size);
    const auto step = Take<std::uint8_t>(data, size);
    const std::size_t length = std::min<std::size_t>(units * 16u, size);
    if (step == 255) {
      stream.NewSegment(playTime);
    } else {
      playTime += step * 10000;
    }
    stream.Consume(std::span(data, length), step % 3 ? std::optional(playTime) : std::nullopt);
    data += length;
    size -= length;

    const nv::TTempBufferQueue& queue = stream.Queue();
    Check(queue.Count() <= nv::TTempBufferQueue::kMaxBlocks);
    for (std::size_t i = 1; i < queue.Count(); ++i) Check(queue[i - 1].time < queue[i].time);
    const nv::VisualizerBlock* current = stream.CurrentBlock(playTime);
    Check((current != nullptr) == (queue.Count() > 0));
    const nv::TapReading tap{current, true};
    builder.Update(wanted, std::span(&tap, 1));
  }
  return 0;
}
