#pragma once
// Generated test media: sine tones as PCM WAV files.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace nv::test {

struct Tone {
  double hz = 440;
  int durationMs = 1000;
  int sampleRate = 44100;
  int channels = 2;
  double amplitude = 1.0;  // of full scale
};

std::vector<std::int16_t> ToneSamples(const Tone& tone);  // interleaved
void WriteToneWav(const std::filesystem::path& path, const Tone& tone);

}  // namespace nv::test
