#pragma once
// Generated test media: sine tones as PCM WAV files (16-bit, 8-bit or 32-bit float samples).
#include <cstdint>
#include <filesystem>
#include <vector>

namespace nv::test {

enum class ToneEncoding { kPcm16, kPcm8, kFloat32 };

struct Tone {
  double hz = 440;
  int durationMs = 1000;
  int sampleRate = 44100;
  int channels = 2;
  double amplitude = 1.0;  // of full scale
  ToneEncoding encoding = ToneEncoding::kPcm16;  // of the WAV file; ToneSamples are 16-bit always
};

std::vector<std::int16_t> ToneSamples(const Tone& tone);  // interleaved
void WriteToneWav(const std::filesystem::path& path, const Tone& tone);

}  // namespace nv::test
