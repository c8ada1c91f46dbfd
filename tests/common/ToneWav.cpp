#include "tests/common/ToneWav.h"

#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace nv::test {

std::vector<std::int16_t> ToneSamples(const Tone& tone) {
  const auto frames = static_cast<std::size_t>(static_cast<std::int64_t>(tone.durationMs) * tone.sampleRate / 1000);
  std::vector<std::int16_t> samples(frames * tone.channels);
  for (std::size_t f = 0; f < frames; ++f) {
    const double value =
        tone.amplitude * 32767.0 * std::sin(2 * std::numbers::pi * tone.hz * static_cast<double>(f) / tone.sampleRate);
    for (int c = 0; c < tone.channels; ++c) samples[f * tone.channels + c] = static_cast<std::int16_t>(std::lround(value));
  }
  return samples;
}

namespace {
void Put16(std::ofstream& out, std::uint16_t v) {
  const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out.write(b, 2);
}
void Put32(std::ofstream& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}
}  // namespace

void WriteToneWav(const std::filesystem::path& path, const Tone& tone) {
  const std::vector<std::int16_t> samples = ToneSamples(tone);
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  out.write("RIFF", 4);
  Put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);                                  // PCMWAVEFORMAT size
  Put16(out, 1);                                   // WAVE_FORMAT_PCM
  Put16(out, static_cast<std::uint16_t>(tone.channels));
  Put32(out, static_cast<std::uint32_t>(tone.sampleRate));
  Put32(out, static_cast<std::uint32_t>(tone.sampleRate * tone.channels * 2));  // bytes per second
  Put16(out, static_cast<std::uint16_t>(tone.channels * 2));                    // block align
  Put16(out, 16);                                                               // bits per sample
  out.write("data", 4);
  Put32(out, dataBytes);
  for (std::int16_t s : samples) Put16(out, static_cast<std::uint16_t>(s));
}

}  // namespace nv::test
