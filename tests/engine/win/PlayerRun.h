#pragma once
// Runs nvplay (the player component without its windows) on test media while the null sink is recorded, and hands
// back what the player logged and what was heard.
#include <string>
#include <vector>

#include "tests/common/AudioAnalysis.h"

namespace nv::test {

// One line of nvplay's log: "<ms>\t<what>\t<field>...".
struct PlayerLogLine {
  long ms = 0;
  std::string what;
  std::vector<std::string> fields;
  // The field as a number; 0 when missing.
  long Number(std::size_t field) const;
};

struct PlayerRun {
  std::vector<PlayerLogLine> log;
  Recording recording;

  std::vector<PlayerLogLine> Lines(const std::string& what) const;
  // The log's events without the ones that repeat while an item plays (positions, frames, item information,
  // builds), as "what" or "what name" where the event names an item (the file name without its folder).
  std::vector<std::string> Outline() const;
  // The first line of `what` at or after `fromMs`, or null.
  const PlayerLogLine* Find(const std::string& what, long fromMs = 0) const;
  // The first line of `what` logged after `line` (one of this log's), or null.
  const PlayerLogLine* Next(const std::string& what, const PlayerLogLine& line) const;
};

// The tones among `candidates` heard for at least 300 ms each, in the order they began.
struct HeardTone {
  double hz;
  Span span;
};
std::vector<HeardTone> HeardTones(const Recording& recording, const std::vector<double>& candidates);
std::vector<double> Frequencies(const std::vector<HeardTone>& heard);

// The stretches where `hz` is heard at its own level, whatever else plays: down to -60 dB (the test tones play at
// -6 dB), far above the other tones' leakage into its frequency. The click of a graph starting or stopping reaches
// every frequency for a moment, so a stretch shorter than 100 ms is not a tone, and quiet moments that short do
// not split one.
std::vector<Span> ToneRuns(const Recording& recording, double hz);
// The longest of them; {-1, -1} when the tone is not heard.
Span ToneSpan(const Recording& recording, double hz);

// Runs nvplay with `arguments` and `files` (Windows paths), and records the sink from before the program starts
// until it ends.
PlayerRun RunPlayerOn(const std::vector<std::string>& arguments, const std::vector<std::string>& files,
                      const std::string& recordingName);
// The same with names in the test media folder.
PlayerRun RunPlayer(const std::vector<std::string>& arguments, const std::vector<std::string>& files,
                    const std::string& recordingName);

}  // namespace nv::test
