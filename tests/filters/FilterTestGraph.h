#pragma once
// Real DirectShow graphs for the filter tests: Wine's filter graph manager, its file parsers and its DirectSound
// renderer, with the filters under test put into them.
#include <windows.h>

#include "support/win/DirectShow.h"

#include <wrl/client.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/common/AudioAnalysis.h"
#include "tests/common/ToneWav.h"

namespace nv::test {

using Microsoft::WRL::ComPtr;

class ComApartment {
public:
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

// An HRESULT as failure messages show it.
std::string Hr(HRESULT hr);
// One step of building a graph: true when it answered S_OK, else a failure of the test that says `what` failed.
bool Step(HRESULT hr, const char* what);

// A generated tone WAV in the temporary folder, deleted with the object.
class ToneFile {
public:
  ToneFile(const std::string& name, const Tone& tone);
  ~ToneFile();
  ToneFile(const ToneFile&) = delete;
  ToneFile& operator=(const ToneFile&) = delete;
  const std::wstring& Path() const { return path_; }

private:
  std::wstring path_;
};

ComPtr<IGraphBuilder> NewGraph();
// The index-th pin of a filter in one direction, or null.
ComPtr<IPin> PinOf(IBaseFilter* filter, PIN_DIRECTION direction, int index = 0);
ComPtr<IBaseFilter> FilterByClsid(IGraphBuilder* graph, const CLSID& clsid);
std::wstring PinName(IPin* pin);
// The pin at the other end of a connection, or null.
ComPtr<IPin> PeerOf(IPin* pin);

// A graph that plays into a DirectSound renderer.
struct Playback {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IMediaSeeking> seeking;
  ComPtr<IBaseFilter> renderer;
};
// A file rendered by the graph (Wine's parser and its DirectSound renderer), or a source filter connected to a
// DirectSound renderer; with `inserted` (when given) added and connected between the renderer and the pin that fed
// it. Anything failing on the way fails the current test, and the graph returned is then empty.
Playback RenderFileThrough(const std::wstring& file, IBaseFilter* inserted = nullptr);
Playback RenderSourceThrough(IBaseFilter* source, IBaseFilter* inserted = nullptr);

// A graph's events, taken out as they arrive and stamped with the time they were taken.
struct GraphEvent {
  long code;
  LONG_PTR param1;
  LONG_PTR param2;
  double atMs;  // since the log was made
};

class EventLog {
public:
  explicit EventLog(IGraphBuilder* graph);
  // Takes out events until one with `code` arrives (true) or `timeoutMs` passed; `seen` runs for each event at
  // once, so it can ask the filters about the moment of the event.
  bool WaitFor(long code, double timeoutMs, const std::function<void(const GraphEvent&)>& seen = {});
  // Takes out whatever arrives during `ms`.
  void Collect(double ms);
  const std::vector<GraphEvent>& Events() const { return events_; }
  const GraphEvent* Find(long code) const;
  int Count(long code) const;
  double NowMs() const;

private:
  ComPtr<IMediaEvent> events_source_;
  std::chrono::steady_clock::time_point start_;
  std::vector<GraphEvent> events_;
};

// Ends the test process when the work it guards is not done in time: a deadlock in a filter would otherwise hang
// the test until ctest kills it, without saying where.
class Watchdog {
public:
  Watchdog(const char* what, DWORD timeoutMs);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

private:
  static DWORD WINAPI Watch(void* self);

  HANDLE done_;
  HANDLE thread_;
  const char* what_;
  DWORD timeoutMs_;
};

// The tones heard in a recording. A busy machine may starve Wine's mixer for a moment: dropouts shorter than
// 150 ms do not split a tone.
std::vector<Span> TonesHeard(const Recording& recording);

// The renderer reports completion while its buffer still plays: let it drain before stopping.
inline constexpr DWORD kRendererDrainMs = 800;

}  // namespace nv::test
