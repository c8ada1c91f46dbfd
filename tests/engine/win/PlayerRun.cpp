#include "tests/engine/win/PlayerRun.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/win/WideText.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/engine/win/GraphTestPlayer.h"

namespace nv::test {

namespace {

// A tone heard for at least this long counts as an item heard (the test tones last a second or more).
constexpr double kShortestToneMs = 300;

constexpr double kHeardDb = -60;
constexpr double kToneStepMs = 25;
constexpr double kClickMs = 100;

// Longer than any run of the tests; nvplay's own timeout ends it first.
constexpr DWORD kRunTimeoutMs = 90000;

std::wstring Quoted(const std::string& heldText) { return L"\"" + MarkedToWide(heldText) + L"\""; }

std::vector<PlayerLogLine> ReadLog(const std::string& path) {
  std::vector<PlayerLogLine> lines;
  std::ifstream in(path);
  for (std::string text; std::getline(in, text);) {
    std::istringstream fields(text);
    PlayerLogLine line;
    std::string ms;
    if (!std::getline(fields, ms, '\t') || !std::getline(fields, line.what, '\t')) continue;
    line.ms = std::stol(ms);
    for (std::string field; std::getline(fields, field, '\t');) line.fields.push_back(field);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

}  // namespace

std::vector<HeardTone> HeardTones(const Recording& recording, const std::vector<double>& candidates) {
  std::vector<HeardTone> heard;
  for (const double hz : candidates)
    for (const Span& span : SpansOfFrequency(recording, hz, hz * 0.03))
      if (span.LengthMs() >= kShortestToneMs) heard.push_back({hz, span});
  std::sort(heard.begin(), heard.end(),
            [](const HeardTone& a, const HeardTone& b) { return a.span.startMs < b.span.startMs; });
  return heard;
}

std::vector<double> Frequencies(const std::vector<HeardTone>& heard) {
  std::vector<double> frequencies;
  for (const HeardTone& tone : heard) frequencies.push_back(tone.hz);
  return frequencies;
}

std::vector<Span> ToneRuns(const Recording& recording, double hz) {
  std::vector<Span> runs;
  for (double at = 0; at + 2 * kToneStepMs <= recording.DurationMs(); at += kToneStepMs) {
    if (ToneLevelDb(recording, hz, at, at + 2 * kToneStepMs) < kHeardDb) continue;
    if (runs.empty() || at - runs.back().endMs > kClickMs) runs.push_back({at, at});
    runs.back().endMs = at + 2 * kToneStepMs;
  }
  std::erase_if(runs, [](const Span& run) { return run.LengthMs() <= kClickMs; });
  return runs;
}

Span ToneSpan(const Recording& recording, double hz) {
  Span longest{-1, -1};
  for (const Span& run : ToneRuns(recording, hz))
    if (longest.startMs < 0 || run.LengthMs() > longest.LengthMs()) longest = run;
  return longest;
}

long PlayerLogLine::Number(std::size_t field) const {
  return field < fields.size() ? std::stol(fields[field]) : 0;
}

std::vector<PlayerLogLine> PlayerRun::Lines(const std::string& what) const {
  std::vector<PlayerLogLine> found;
  for (const PlayerLogLine& line : log)
    if (line.what == what) found.push_back(line);
  return found;
}

std::vector<std::string> PlayerRun::Outline() const {
  std::vector<std::string> outline;
  for (const PlayerLogLine& line : log) {
    if (line.what == "pePositionChanged" || line.what == "frame" || line.what == "peItemInfoChanged" ||
        line.what == "peGraphBuilt" || line.what == "peLoaded" || line.what == "pePlayListChanged" ||
        line.what == "end")
      continue;
    const bool named = line.what == "peCurrentChanged" || line.what == "peStateChanged" || line.what == "buildError";
    outline.push_back(named && !line.fields.empty() ? line.what + " " + BaseName(line.fields[0]) : line.what);
  }
  return outline;
}

const PlayerLogLine* PlayerRun::Find(const std::string& what, long fromMs) const {
  for (const PlayerLogLine& line : log)
    if (line.what == what && line.ms >= fromMs) return &line;
  return nullptr;
}

const PlayerLogLine* PlayerRun::Next(const std::string& what, const PlayerLogLine& line) const {
  for (auto next = log.begin() + (&line - log.data()) + 1; next != log.end(); ++next)
    if (next->what == what) return &*next;
  return nullptr;
}

PlayerRun RunPlayer(const std::vector<std::string>& arguments, const std::vector<std::string>& files,
                    const std::string& recordingName) {
  std::vector<std::string> paths;
  for (const std::string& file : files) paths.push_back(MediaPath(file.c_str()));
  return RunPlayerOn(arguments, paths, recordingName);
}

PlayerRun RunPlayerOn(const std::vector<std::string>& arguments, const std::vector<std::string>& files,
                      const std::string& recordingName) {
  const std::string logPath = UnixToWindowsPathA(BinaryDir()) + "\\" + recordingName + ".log";
  DeleteFileA(logPath.c_str());
  std::wstring commandLine = Quoted(UnixToWindowsPathA(NV_PLAYER_PROGRAM)) + L" --log " + Quoted(logPath);
  for (const std::string& argument : arguments) commandLine += L" " + Quoted(argument);
  for (const std::string& file : files) commandLine += L" " + Quoted(file);

  AudioRecorder recorder(recordingName);
  recorder.Start();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    throw std::runtime_error("nvplay did not start");
  const DWORD waited = WaitForSingleObject(process.hProcess, kRunTimeoutMs);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  PlayerRun run;
  run.recording = recorder.Stop();
  if (waited != WAIT_OBJECT_0) throw std::runtime_error("nvplay did not end");
  run.log = ReadLog(logPath);
  return run;
}

}  // namespace nv::test
