#include "engine/win/XGraph.h"

#include <memory>

#include "engine/EngineConstants.h"
#include "engine/FilterNames.h"
#include "engine/GraphTimes.h"
#include "engine/WorkOffline.h"
#include "engine/win/DirectXCheck.h"
#include "engine/win/ExecuteThread.h"
#include "engine/win/FriendlyFilterName.h"
#include "engine/win/SourceProviders.h"
#include "engine/win/XGraphObject.h"
#include "filters/FilterConstants.h"
#include "filters/win/XDummyRender.h"
#include "metadata/MediaPaths.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"

using Microsoft::WRL::ComPtr;

namespace nv {

TXGraph::TXGraph(HWND notifyWindow, std::string fileName)
    : notifyWindow_(notifyWindow), fileName_(std::move(fileName)) {}

TXGraph::~TXGraph() {
  Close();
  FreeObjects();
}

ULONG TXGraph::AddRef() { return ++references_; }

ULONG TXGraph::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

std::wstring TXGraph::WideFileName() const { return MarkedToWide(fileName_); }

// --- attached objects

void TXGraph::FreeObjects() {
  for (TXGraphObject* object : objects_.TakeAll()) {
    object->graph_ = nullptr;
    delete object;
  }
}

template <class Notification>
void TXGraph::NotifyObjects(Notification notification) {
  for (TXGraphObject* object : Objects()) (object->*notification)();
}

// --- building

bool TXGraph::Prepare() {
  if (state_ == gsClosed) Build();
  return state_ == gsBuilding || state_ == gsBuilt;
}

// The build holds its own reference: whoever lets go of the graph meanwhile (a message handled during the build)
// cannot free it under the build. When that hold turns out to be the last one, the graph is gone and the caller
// gets the silent abort.
void TXGraph::Build() {
  AddRef();
  const auto finish = [this] {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    return Release() == 0;
  };
  try {
    while (BuildPass()) {
    }
  } catch (...) {
    if (finish()) throw EAbort();
    throw;
  }
  if (finish()) throw EAbort();
}

bool TXGraph::BuildPass() {
  state_ = gsBuilding;
  try {
    if (HasUrlScheme(fileName_) && IsWorkingOffline()) throw EAbort();
    BuildGraph();
    CheckAbort();
    if (!playListSource_ && !audioRenderers_.empty()) PreRoll();
  } catch (const EAbort&) {
    ClearGraph();
    state_ = gsAborting;
  } catch (const std::exception& error) {
    ClearGraph();
    if (state_ != gsAborting) {
      state_ = gsFailed;
      DoError(error);
    }
  }
  if (state_ != gsBuilding) {
    ClearGraph();
    if (state_ == gsAborting) EndAborted();
    return false;
  }

  if (playListSource_) {
    // A redirector file: its first entry is built instead. One that leads to another redirector fails.
    if (redirected_) {
      ClearGraph();
      state_ = gsFailed;
      return false;
    }
    std::string redirection;
    try {
      redirection = GetRedirection();
    } catch (const EAbort&) {
      state_ = gsAborting;
    } catch (const std::exception& error) {
      ClearGraph();
      state_ = gsFailed;
      DoError(error);
      return false;
    }
    ClearGraph();
    if (state_ == gsAborting) {
      EndAborted();
      return false;
    }
    fileName_ = std::move(redirection);
    state_ = gsClosed;
    if (fileName_.empty()) return false;
    redirected_ = true;
    return true;
  }

  RouteEvents();
  state_ = gsBuilt;
  DoBuilt();
  // Running comes last but one: a failure to run still lets the graph's owner hear that it was built.
  struct BuiltNotice {
    TXGraph* graph;
    ~BuiltNotice() {
      if (graph->builder_) graph->NotifyEvent(kEcGraphBuilt);
    }
  } notice{this};
  if (state_ == gsBuilt && runState_ == rsRunning) RunGraph();
  return false;
}

// A graph closed during its build ends closed and stopped: a run asked for during the build went with it.
void TXGraph::EndAborted() {
  state_ = gsClosed;
  runState_ = rsStopped;
}

// The buffers fill before the graph counts as built, so that a prepared graph starts at once. The pause runs on a
// worker; a build abandoned meanwhile leaves the filter graph to it: stopping the graph then would wait for that
// pause (Wine's graph holds its lock while it pauses the filters), and the worker's last release stops it anyway.
void TXGraph::PreRoll() {
  ComPtr<IMediaControl> control;
  DXCheck(builder_.As(&control));
  try {
    ExecuteInThread([control] { DXCheck(control->Pause()); }, [this] { return state_ == gsAborting; });
  } catch (const EAbort&) {
    throw;
  } catch (...) {
    // A pause that failed may have paused some of the filters.
    started_ = true;
    throw;
  }
  started_ = true;
  CheckAbort();
}

void TXGraph::RouteEvents() {
  if (!notifyWindow_ || FAILED(builder_.As(&events_))) return;
  events_->SetNotifyFlags(0);
  events_->SetNotifyWindow(reinterpret_cast<OAHWND>(notifyWindow_), kGraphEventMessage,
                           reinterpret_cast<LONG_PTR>(this));
}

void TXGraph::CheckAbort() const {
  if (state_ == gsAborting) throw EAbort();
}

void TXGraph::BuildGraph() {
  SetBuildPhase(bpCreateGraph);
  CheckAbort();
  ClearGraph();
  CheckAbort();
  try {
    DXCheck(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&builder_)));
    SetBuildPhase(bpSourceFilter);
    source_ = AddSource();
    CheckAbort();
    if (const TPinList pins = PinsOf(source_.Get(), PINDIR_OUTPUT); !pins.empty()) RenderSourcePins(pins);
    CheckAbort();
    for (const ComPtr<IBaseFilter>& filter : FiltersOf(builder_.Get())) {
      if (HasPins(filter.Get()) && !HasConnectedPin(filter.Get())) {
        builder_->RemoveFilter(filter.Get());
        continue;
      }
      if (!pcmInfo_) filter.As(&pcmInfo_);
      if (!dcBass_) dcBass_ = DCBassExtension(filter.Get());
      if (!playListSource_) filter.As(&playListSource_);
    }
    SetBuildPhase(bpComplete);
  } catch (...) {
    ClearGraph();
    throw;
  }
}

ComPtr<IBaseFilter> TXGraph::AddSource() {
  ComPtr<IBaseFilter> filter;
  LoadSourceInThread(filter);
  return filter;
}

void TXGraph::LoadSourceInThread(ComPtr<IBaseFilter>& filter) {
  // The worker's own share: the graph (for its LoadSource), the builder, the name and the filter. When the build
  // is abandoned, the worker keeps them until it ends, then lets go of them on its own thread.
  struct Job {
    TXGraphRef<TXGraph> graph;
    TSourceLoad load;
    ComPtr<IBaseFilter> filter;
  };
  const auto job = std::make_shared<Job>(Job{this, {builder_, WideFileName()}, filter});
  ExecuteInThread([job] { job->graph->LoadSource(job->load, job->filter); },
                  [this] { return state_ == gsAborting; });
  filter = job->filter;
}

void TXGraph::LoadSource(const TSourceLoad& load, ComPtr<IBaseFilter>& filter) {
  if (filter) return;
  const std::wstring name = ToWide(SourceFilterName(ToUtf16(load.fileName)));
  DXCheck(load.builder->AddSourceFilter(load.fileName.c_str(), name.c_str(), filter.ReleaseAndGetAddressOf()));
}

ComPtr<IBaseFilter> TXGraph::AddDummyRenderer(const GUID& majorType, const GUID& subtype) {
  AM_MEDIA_TYPE pattern{};
  pattern.majortype = majorType;
  pattern.subtype = subtype;
  ComPtr<IBaseFilter> dummy = TXDummyRender::Create(pattern);
  DXCheck(builder_->AddFilter(dummy.Get(), nullptr));
  return dummy;
}

TPinList TXGraph::TakeOverDummyPins(IBaseFilter* dummy) {
  TPinList taken;
  for (const ComPtr<IPin>& input : PinsOf(dummy, PINDIR_INPUT)) {
    const ComPtr<IPin> decoded = PeerOf(input.Get());
    if (!decoded) continue;
    builder_->Disconnect(decoded.Get());
    builder_->Disconnect(input.Get());
    taken.push_back(decoded);
  }
  builder_->RemoveFilter(dummy);
  return taken;
}

void TXGraph::RenderSourcePins(const TPinList& pins) {
  SetBuildPhase(bpRenderPins);
  const ComPtr<IBaseFilter> audioDummy = AddDummyRenderer(MEDIATYPE_Audio, GUID_NULL);
  const ComPtr<IBaseFilter> videoDummy = AddDummyRenderer(MEDIATYPE_Video, GUID_NULL);
  TPinList setAside;
  HRESULT firstFailure = S_OK;
  for (const ComPtr<IPin>& pin : pins) {
    const HRESULT hr = builder_->Render(pin.Get());
    if (FAILED(hr)) {
      setAside.push_back(pin);
      if (SUCCEEDED(firstFailure)) firstFailure = hr;
    }
  }
  const TPinList videoPins = TakeOverDummyPins(videoDummy.Get());
  const TPinList audioPins = TakeOverDummyPins(audioDummy.Get());
  if (!audioPins.empty()) {
    SetBuildPhase(bpAudioChain);
    RenderAudioPins(audioPins);
    audioRenderers_ = TerminalFilters(audioPins);
  }
  if (!videoPins.empty()) {
    SetBuildPhase(bpVideoChain);
    RenderVideoPins(videoPins);
    videoRenderers_ = TerminalFilters(videoPins);
  }
  // A stream nothing renders does not fail the build while others play; a source none of whose streams can be
  // rendered does, instead of counting as built with nothing to play.
  bool rendered = setAside.size() < pins.size();
  for (const ComPtr<IPin>& pin : setAside) {
    try {
      RenderPins({pin}, GUID_NULL, {}, {});
      rendered = true;
    } catch (const EDirectX&) {
    }
  }
  if (!rendered) RaiseDirectX(firstFailure);
}

void TXGraph::RenderAudioPins(const TPinList& pins) { RenderPins(pins, GUID_NULL, {}, {}); }

void TXGraph::RenderVideoPins(const TPinList& pins) { RenderPins(pins, GUID_NULL, {}, {}); }

void TXGraph::RenderPins(const TPinList& pins, const CLSID& renderer, const TXCLSIDList& filters,
                         const std::wstring& name) {
  int number = 1;
  for (const ComPtr<IPin>& pin : pins) {
    ComPtr<IBaseFilter> added;
    if (renderer != GUID_NULL) {
      const std::wstring numbered = ToWide(NumberedFilterName(ToUtf16(name), pins.size(), number));
      if (FAILED(CoCreateInstance(renderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&added))) ||
          FAILED(builder_->AddFilter(added.Get(), numbered.c_str())))
        added = nullptr;
    }
    AddFilters(filters);
    DXCheck(builder_->Render(pin.Get()));
    if (added && !HasConnectedInput(added.Get()))
      builder_->RemoveFilter(added.Get());
    else
      ++number;
  }
}

TPinList TXGraph::RenderToDummy(const TPinList& pins, const GUID& majorType, const TXCLSIDList& filters,
                                const GUID& subtype) {
  const ComPtr<IBaseFilter> dummy = AddDummyRenderer(majorType, subtype);
  try {
    for (const ComPtr<IPin>& pin : pins) {
      AddFilters(filters);
      DXCheck(builder_->Render(pin.Get()));
    }
  } catch (...) {
    TakeOverDummyPins(dummy.Get());
    throw;
  }
  return TakeOverDummyPins(dummy.Get());
}

ComPtr<IBaseFilter> TXGraph::AddFilterByCLSID(const CLSID& clsid, const std::wstring& name) {
  ComPtr<IBaseFilter> filter;
  DXCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter)));
  DXCheck(builder_->AddFilter(filter.Get(), name.c_str()));
  return filter;
}

void TXGraph::AddFilters(const TXCLSIDList& filters) {
  for (const Guid& clsid : filters) {
    if (clsid.IsNull()) continue;
    const CLSID winClsid = ToWinGuid(clsid);
    AddFilterByCLSID(winClsid, FriendlyFilterName(winClsid) + L" ");
  }
}

void TXGraph::NotifyEvent(long code) {
  ComPtr<IMediaEventSink> sink;
  if (builder_ && SUCCEEDED(builder_.As(&sink))) sink->Notify(code, 0, 0);
}

void TXGraph::ClearGraph() {
  if (!builder_) return;
  if (runState_ != rsStopped && state_ != gsBuilding) {
    Stop();
  } else {
    // A build that fails stops what its pre-roll paused, but keeps the run asked for meanwhile.
    StopFilterGraph();
  }
  started_ = false;
  FreeObjects();
  playListSource_ = nullptr;
  audioRenderers_.clear();
  videoRenderers_.clear();
  pcmInfo_ = nullptr;
  dcBass_ = nullptr;
  source_ = nullptr;
  events_ = nullptr;
  builder_ = nullptr;
}

// --- running

void TXGraph::Play() {
  if (runState_ == rsRunning) return;
  if (state_ == gsClosed) {
    // Asked for before the build starts: the build runs the graph when it ends, unless a Pause or a Stop handled
    // during the build replaced the request.
    runState_ = rsRunning;
    if (!Prepare() && state_ != gsBuilding) runState_ = rsStopped;
    return;
  }
  if (!Prepare()) return;
  if (state_ == gsBuilding) {
    runState_ = rsRunning;
    return;
  }
  // The build ran the graph itself when a Play arrived while it was building.
  if (runState_ != rsRunning) RunGraph();
}

void TXGraph::RunGraph() {
  const std::int64_t start = GetStartTime();
  const std::int64_t stop = GetStopTime();
  if (ComPtr<IMediaSeeking> seeking; (start > 0 || stop > 0) && SUCCEEDED(builder_.As(&seeking))) {
    LONGLONG current = 0, duration = 0;
    if (FAILED(seeking->GetCurrentPosition(&current))) current = 0;
    if (FAILED(seeking->GetDuration(&duration))) duration = 0;
    const TRunPositions positions = RunPositions(start, stop, current, duration);
    LONGLONG from = positions.start, to = positions.stop;
    seeking->SetPositions(&from, from > 0 ? AM_SEEKING_AbsolutePositioning : AM_SEEKING_NoPositioning, &to,
                          to > 0 ? AM_SEEKING_AbsolutePositioning : AM_SEEKING_NoPositioning);
  }
  ComPtr<IMediaControl> control;
  DXCheck(builder_.As(&control));
  started_ = true;
  DXCheck(control->Run());
  runState_ = rsRunning;
  NotifyObjects(&TXGraphObject::GraphStarted);
  NotifyEvent(kEcItemInfoChanged);
}

void TXGraph::Pause() {
  if (runState_ != rsRunning) return;
  if (state_ == gsBuilding || !builder_) {
    runState_ = rsPaused;
    return;
  }
  ComPtr<IMediaControl> control;
  DXCheck(builder_.As(&control));
  started_ = true;
  DXCheck(control->Pause());
  runState_ = rsPaused;
  NotifyObjects(&TXGraphObject::GraphPaused);
}

void TXGraph::Stop() {
  if (runState_ == rsStopped) return;
  if (state_ == gsBuilding || !builder_) {
    runState_ = rsStopped;
    return;
  }
  StopFilterGraph();
  runState_ = rsStopped;
  NotifyObjects(&TXGraphObject::GraphStopped);
}

void TXGraph::StopFilterGraph() {
  if (!started_) return;
  if (ComPtr<IMediaControl> control; SUCCEEDED(builder_.As(&control))) control->Stop();
  started_ = false;
}

void TXGraph::Close() {
  switch (state_) {
    case gsBuilt:
      if (events_) events_->SetNotifyFlags(AM_MEDIAEVENT_NONOTIFY);
      events_ = nullptr;
      ClearGraph();
      state_ = gsClosed;
      break;
    case gsBuilding:
      state_ = gsAborting;
      // A source that opens a network stream can give up at once; elsewhere the build stops at its next check.
      if (ComPtr<IAMOpenProgress> progress; builder_ && SUCCEEDED(builder_.As(&progress))) progress->AbortOperation();
      break;
    default:
      break;
  }
}

// --- position and information

std::int64_t TXGraph::Duration() {
  ComPtr<IMediaSeeking> seeking;
  if (state_ != gsBuilt || FAILED(builder_.As(&seeking))) return 0;
  LONGLONG duration = 0;
  if (FAILED(seeking->GetDuration(&duration))) duration = 0;
  return GraphDuration(duration, GetStartTime(), GetStopTime());
}

std::int64_t TXGraph::Position() {
  ComPtr<IMediaSeeking> seeking;
  if (state_ != gsBuilt || FAILED(builder_.As(&seeking))) return 0;
  LONGLONG current = 0;
  if (FAILED(seeking->GetCurrentPosition(&current))) return 0;
  return GraphPosition(current, GetStartTime());
}

bool TXGraph::CanSeek() {
  ComPtr<IMediaSeeking> seeking;
  if (state_ != gsBuilt || FAILED(builder_.As(&seeking))) return false;
  DWORD capabilities = 0;
  if (SUCCEEDED(seeking->GetCapabilities(&capabilities)) && (capabilities & kCanSeekAbsolute) != 0) return true;
  // A network source may seek on its own terms.
  ComPtr<IAMExtendedSeeking> extended;
  long extendedCapabilities = 0;
  return source_ && SUCCEEDED(source_.As(&extended)) &&
         SUCCEEDED(extended->get_ExSeekCapabilities(&extendedCapabilities)) &&
         (extendedCapabilities & kExtendedCanSeek) != 0;
}

HRESULT TXGraph::SetPosition(std::int64_t position) {
  if (!CanSeek()) return E_UNEXPECTED;
  ComPtr<IMediaSeeking> seeking;
  if (const HRESULT hr = builder_.As(&seeking); FAILED(hr)) return hr;
  LONGLONG from = position + GetStartTime();
  LONGLONG to = GetStopTime();
  return seeking->SetPositions(&from, AM_SEEKING_AbsolutePositioning, &to,
                               to > 0 ? AM_SEEKING_AbsolutePositioning : AM_SEEKING_NoPositioning);
}

TXAudioInfo TXGraph::GetAudioInfo() {
  TXAudioInfo info;
  if (state_ != gsBuilt) return info;
  if (WAVEFORMATEX format{}; pcmInfo_ && SUCCEEDED(pcmInfo_->GetFormat(&format))) {
    info.Channels = format.nChannels;
    info.SampleRate = format.nSamplesPerSec;
  }
  info.BitRate = DCBassBitrate(dcBass_.Get());
  return info;
}

TIFilterList TXGraph::GetFilters() { return state_ == gsBuilt ? FiltersOf(builder_.Get()) : TIFilterList(); }

}  // namespace nv
