// nvaudio FILE [--window MS]: what a recording sounds like. FILE is a 16-bit WAV or the recorder's raw
// s16le stereo 44.1 kHz output. Prints a line per window (time, level, left, right, dominant frequency), then the
// sounding spans with their frequencies and the silent gaps between them.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "tests/common/AudioAnalysis.h"

using nv::test::Recording;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: nvaudio FILE [--window MS]\n");
    return 2;
  }
  double windowMs = 50;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--window") == 0) windowMs = std::stod(argv[i + 1]);
  try {
    const std::string path = argv[1];
    const Recording r = path.size() > 4 && path.substr(path.size() - 4) == ".wav" ? Recording::LoadWav(path)
                                                                                  : Recording::LoadRaw(path);
    std::printf("%-10s %8s %8s %8s %10s\n", "ms", "level", "left", "right", "hz");
    for (const auto& w : nv::test::AnalyseWindows(r, windowMs))
      std::printf("%-10.0f %8.1f %8.1f %8.1f %10.1f\n", w.startMs, w.levelDb, w.leftDb, w.rightDb, w.frequencyHz);
    std::printf("\nduration %.0f ms\n", r.DurationMs());
    for (const auto& s : nv::test::SoundSpans(r, -50, 20))
      std::printf("sound %8.0f .. %8.0f ms (%6.0f ms) %8.1f Hz %6.1f dB\n", s.startMs, s.endMs, s.LengthMs(),
                  nv::test::DominantFrequency(r, s.startMs, s.endMs), nv::test::LevelDb(r, s.startMs, s.endMs));
    for (const auto& g : nv::test::SilentGaps(r))
      std::printf("gap   %8.0f .. %8.0f ms (%6.0f ms)\n", g.startMs, g.endMs, g.LengthMs());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "nvaudio: %s\n", e.what());
    return 1;
  }
  return 0;
}
