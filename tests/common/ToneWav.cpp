#include "tests/common/ToneWav.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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
  const bool isFloat = tone.encoding == ToneEncoding::kFloat32;
  const std::uint16_t bits = tone.encoding == ToneEncoding::kPcm8 ? 8 : isFloat ? 32 : 16;
  const auto blockAlign = static_cast<std::uint16_t>(tone.channels * bits / 8);
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * bits / 8);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  out.write("RIFF", 4);
  Put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);                                  // PCMWAVEFORMAT size
  Put16(out, isFloat ? 3 : 1);                     // WAVE_FORMAT_IEEE_FLOAT or WAVE_FORMAT_PCM
  Put16(out, static_cast<std::uint16_t>(tone.channels));
  Put32(out, static_cast<std::uint32_t>(tone.sampleRate));
  Put32(out, static_cast<std::uint32_t>(tone.sampleRate) * blockAlign);  // bytes per second
  Put16(out, blockAlign);
  Put16(out, bits);
  out.write("data", 4);
  Put32(out, dataBytes);
  for (std::int16_t s : samples) {
    switch (tone.encoding) {
      case ToneEncoding::kPcm16: Put16(out, static_cast<std::uint16_t>(s)); break;
      case ToneEncoding::kPcm8:  // unsigned, 128 is zero; rounded
        out.put(static_cast<char>(std::min((s + 32768 + 128) >> 8, 255)));
        break;
      case ToneEncoding::kFloat32: {
        const float value = static_cast<float>(s) / 32767.0f;
        std::uint32_t bitsOf;
        std::memcpy(&bitsOf, &value, sizeof bitsOf);
        Put32(out, bitsOf);
        break;
      }
    }
  }
}

}  // namespace nv::test
