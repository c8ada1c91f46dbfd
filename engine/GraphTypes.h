#pragma once
// The states of a graph wrapper and what it reports about its audio. The graph itself lives in the Windows layer
// (engine/win/XGraph.h); the player's logic and its tests see only these values.
#include <cstdint>

namespace nv {

enum TXGraphState : std::uint8_t {
  gsClosed = 0,    // nothing built
  gsBuilding = 1,
  gsBuilt = 2,
  gsFailed = 3,    // the last build raised an error; the player replaces such a graph instead of rebuilding it
  gsAborting = 4,  // closed during its build: the build stops at its next check
};

// While a graph builds, this holds the state asked for, which the graph takes once built.
enum TXGraphRunState : std::uint8_t { rsStopped = 0, rsRunning = 1, rsPaused = 2 };

// The last phase a build entered: where an attempt failed.
enum TXGraphBuildPhase : std::uint8_t {
  bpCreateGraph = 0,
  bpSourceFilter = 1,  // entered once the filter graph exists
  bpRenderPins = 2,
  bpAudioChain = 3,
  bpVideoChain = 4,
  bpComplete = 5,
};

// A graph's audio format; all zero when unknown. Packed: it is handed on as a 10-byte record.
#pragma pack(push, 1)
struct TXAudioInfo {
  std::uint16_t Channels = 0;
  std::uint32_t SampleRate = 0;  // Hz
  std::uint32_t BitRate = 0;     // bits per second
};
#pragma pack(pop)
static_assert(sizeof(TXAudioInfo) == 10);

}  // namespace nv
