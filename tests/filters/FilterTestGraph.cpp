#include "tests/filters/FilterTestGraph.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace nv::test {

std::string Hr(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

ToneFile::ToneFile(const std::string& name, const Tone& tone) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / (name + "-" + std::to_string(GetCurrentProcessId()) + ".wav");
  WriteToneWav(path, tone);
  path_ = path.wstring();
}

ToneFile::~ToneFile() { DeleteFileW(path_.c_str()); }

bool Step(HRESULT hr, const char* what) {
  EXPECT_EQ(Hr(hr), Hr(S_OK)) << what;
  return hr == S_OK;
}

ComPtr<IGraphBuilder> NewGraph() {
  ComPtr<IGraphBuilder> graph;
  Step(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)), "filter graph");
  return graph;
}

ComPtr<IPin> PinOf(IBaseFilter* filter, PIN_DIRECTION direction, int index) {
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins))) return nullptr;
  for (ComPtr<IPin> pin; pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
    PIN_DIRECTION d;
    pin->QueryDirection(&d);
    if (d == direction && index-- == 0) return pin;
  }
  return nullptr;
}

ComPtr<IBaseFilter> FilterByClsid(IGraphBuilder* graph, const CLSID& clsid) {
  ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(&filters))) return nullptr;
  for (ComPtr<IBaseFilter> filter; filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
    CLSID id;
    if (SUCCEEDED(filter->GetClassID(&id)) && id == clsid) return filter;
  }
  return nullptr;
}

std::wstring PinName(IPin* pin) {
  PIN_INFO info{};
  if (FAILED(pin->QueryPinInfo(&info))) return L"";
  if (info.pFilter) info.pFilter->Release();
  return info.achName;
}

ComPtr<IPin> PeerOf(IPin* pin) {
  ComPtr<IPin> peer;
  pin->ConnectedTo(&peer);
  return peer;
}

namespace {

Playback WithInterfaces(ComPtr<IGraphBuilder> graph) {
  Playback playback{graph, nullptr, nullptr, FilterByClsid(graph.Get(), CLSID_DSoundRender)};
  EXPECT_NE(playback.renderer, nullptr) << "no DirectSound renderer in the graph";
  const bool done = playback.renderer && Step(graph.As(&playback.control), "IMediaControl") &&
                    Step(graph.As(&playback.seeking), "IMediaSeeking");
  return done ? playback : Playback{};
}

// Puts `inserted` between the renderer and the pin that feeds it.
Playback InsertBeforeRenderer(Playback playback, IBaseFilter* inserted) {
  if (!inserted || !playback.renderer) return playback;
  IGraphBuilder* graph = playback.graph.Get();
  const ComPtr<IPin> rendererIn = PinOf(playback.renderer.Get(), PINDIR_INPUT);
  const ComPtr<IPin> decoded = PeerOf(rendererIn.Get());
  EXPECT_NE(decoded, nullptr) << "the renderer is not connected";
  if (!decoded) return {};
  const bool done = Step(graph->Disconnect(decoded.Get()), "disconnecting the decoded stream") &&
                    Step(graph->Disconnect(rendererIn.Get()), "disconnecting the renderer") &&
                    Step(graph->AddFilter(inserted, L"Under test"), "adding the filter under test") &&
                    Step(graph->ConnectDirect(decoded.Get(), PinOf(inserted, PINDIR_INPUT).Get(), nullptr),
                         "into the filter under test") &&
                    Step(graph->ConnectDirect(PinOf(inserted, PINDIR_OUTPUT).Get(), rendererIn.Get(), nullptr),
                         "out of the filter under test");
  return done ? playback : Playback{};
}

}  // namespace

Playback RenderFileThrough(const std::wstring& file, IBaseFilter* inserted) {
  ComPtr<IGraphBuilder> graph = NewGraph();
  if (!graph || !Step(graph->RenderFile(file.c_str(), nullptr), "RenderFile")) return {};
  return InsertBeforeRenderer(WithInterfaces(graph), inserted);
}

Playback RenderSourceThrough(IBaseFilter* source, IBaseFilter* inserted) {
  ComPtr<IGraphBuilder> graph = NewGraph();
  ComPtr<IBaseFilter> renderer;
  const bool done =
      graph && Step(graph->AddFilter(source, L"Source"), "adding the source") &&
      Step(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer)),
           "DirectSound renderer") &&
      Step(graph->AddFilter(renderer.Get(), L"Renderer"), "adding the renderer") &&
      Step(graph->ConnectDirect(PinOf(source, PINDIR_OUTPUT).Get(), PinOf(renderer.Get(), PINDIR_INPUT).Get(), nullptr),
           "source to renderer");
  return done ? InsertBeforeRenderer(WithInterfaces(graph), inserted) : Playback{};
}

EventLog::EventLog(IGraphBuilder* graph) : start_(std::chrono::steady_clock::now()) {
  EXPECT_EQ(graph->QueryInterface(IID_PPV_ARGS(&events_source_)), S_OK);
}

double EventLog::NowMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
}

bool EventLog::WaitFor(long code, double timeoutMs, const std::function<void(const GraphEvent&)>& seen) {
  OAEVENT handle = 0;
  if (!events_source_ || FAILED(events_source_->GetEventHandle(&handle))) return false;
  const double deadline = NowMs() + timeoutMs;
  for (;;) {
    long eventCode = 0;
    LONG_PTR param1 = 0, param2 = 0;
    while (events_source_->GetEvent(&eventCode, &param1, &param2, 0) == S_OK) {
      const GraphEvent event{eventCode, param1, param2, NowMs()};
      events_source_->FreeEventParams(eventCode, param1, param2);
      events_.push_back(event);
      if (seen) seen(event);
      if (event.code == code) return true;
    }
    const double left = deadline - NowMs();
    if (left <= 0) return false;
    WaitForSingleObject(reinterpret_cast<HANDLE>(handle), static_cast<DWORD>(std::min(left, 20.0)) + 1);
  }
}

void EventLog::Collect(double ms) { WaitFor(0x7fffffff, ms); }

const GraphEvent* EventLog::Find(long code) const {
  for (const GraphEvent& event : events_)
    if (event.code == code) return &event;
  return nullptr;
}

int EventLog::Count(long code) const {
  int count = 0;
  for (const GraphEvent& event : events_) count += event.code == code;
  return count;
}

std::vector<Span> TonesHeard(const Recording& recording) { return SoundSpans(recording, -40, 150); }

Watchdog::Watchdog(const char* what, DWORD timeoutMs)
    : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), what_(what), timeoutMs_(timeoutMs) {
  thread_ = CreateThread(nullptr, 0, &Watchdog::Watch, this, 0, nullptr);
}

DWORD WINAPI Watchdog::Watch(void* self) {
  auto* watchdog = static_cast<Watchdog*>(self);
  if (WaitForSingleObject(watchdog->done_, watchdog->timeoutMs_) == WAIT_TIMEOUT) {
    std::fprintf(stderr, "\nwatchdog: %s did not finish within %lu ms (deadlock?)\n", watchdog->what_,
                 static_cast<unsigned long>(watchdog->timeoutMs_));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }
  return 0;
}

Watchdog::~Watchdog() {
  SetEvent(done_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(done_);
}

}  // namespace nv::test
