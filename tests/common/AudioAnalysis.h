#pragma once
// What a recording of the player's output sounds like: levels, the dominant frequency and where sound and silence
// lie. Playback tests assert on this, not on what the code under test claims it played.
#include <cstdint>
#include <string>
#include <vector>

namespace nv::test {

// Interleaved 16-bit samples.
struct Recording {
  int sampleRate = 44100;
  int channels = 2;
  std::vector<std::int16_t> samples;

  std::size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
  double DurationMs() const { return sampleRate > 0 ? Frames() * 1000.0 / sampleRate : 0.0; }

  // Raw s16le as the recorder writes it, or a 16-bit PCM WAV file. Throws std::runtime_error.
  static Recording LoadRaw(const std::string& path, int sampleRate = 44100, int channels = 2);
  static Recording LoadWav(const std::string& path);
};

struct Span {
  double startMs = 0;
  double endMs = 0;
  double LengthMs() const { return endMs - startMs; }
};

// Level in dB relative to a full-scale sine (a full-scale sine reads 0 dB); channel -1 mixes all channels.
// Silence reads -200 dB.
double LevelDb(const Recording& recording, double fromMs, double toMs, int channel = -1);

// The strongest frequency between two times (all channels mixed), 0 for silence.
double DominantFrequency(const Recording& recording, double fromMs, double toMs);

// The level of one frequency alone (a Goertzel filter over a Hann window), in dB relative to a full-scale sine:
// follows a tone while another one plays, as in a crossfade.
double ToneLevelDb(const Recording& recording, double hz, double fromMs, double toMs);

struct Window {
  double startMs;
  double levelDb;      // all channels
  double leftDb;
  double rightDb;
  double frequencyHz;  // 0 when silent
};
std::vector<Window> AnalyseWindows(const Recording& recording, double windowMs = 50);

// Stretches where the level stays above a threshold, measured in short windows; quiet moments shorter than
// `bridgeMs` inside a sound do not split it.
std::vector<Span> SoundSpans(const Recording& recording, double thresholdDb = -50, double bridgeMs = 0,
                             double windowMs = 5);

// The silences between the first and the last sound.
std::vector<Span> SilentGaps(const Recording& recording, double thresholdDb = -50, double windowMs = 5);

// Stretches where `hz` (within `toleranceHz`) is the dominant frequency and the level is above the threshold.
std::vector<Span> SpansOfFrequency(const Recording& recording, double hz, double toleranceHz = 10,
                                   double thresholdDb = -50, double windowMs = 50);

}  // namespace nv::test
