#pragma once
// TXGraph: one DirectShow filter graph for one file path or URL. It builds the graph, runs, pauses and stops it,
// seeks, reports length, position and audio format, carries the objects attached to it, and routes the graph's
// events to a window (kGraphEventMessage, lParam = the graph).
//
// Everything runs on the user-interface thread, but two blocking calls of a build (loading the source and the
// pre-roll pause) run on a worker while the user-interface thread keeps handling messages (ExecuteInThread). So a
// command, a timer or a graph event may reach the graph in the middle of its own build: Play, Pause and Stop then
// only note the request, Close makes the build stop at its next check, and the graph is reference counted so that
// whoever lets go of it during its build cannot pull it from under the build.
#include <windows.h>
#include <wrl/client.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "engine/GraphRef.h"
#include "engine/GraphRules.h"
#include "engine/GraphTypes.h"
#include "engine/win/GraphPins.h"
#include "engine/win/XGraphObject.h"
#include "filters/win/IXPCMAudioInfo.h"
#include "support/win/DirectShowQNetwork.h"

namespace nv {

// What loading the source works with on the worker thread: its own references and copies, because an abandoned
// worker outlives the build that started it.
struct TSourceLoad {
  Microsoft::WRL::ComPtr<IGraphBuilder> builder;
  std::wstring fileName;
};

class TXGraph {
public:
  // `fileName` is held text; `notifyWindow` may be null (no events are routed).
  TXGraph(HWND notifyWindow, std::string fileName);
  // Closes the graph.
  virtual ~TXGraph();
  TXGraph(const TXGraph&) = delete;
  TXGraph& operator=(const TXGraph&) = delete;

  HWND NotifyWindow() const { return notifyWindow_; }
  // The path or URL built; a redirection replaces it.
  const std::string& FileName() const { return fileName_; }
  TXGraphState State() const { return state_; }
  TXGraphRunState RunState() const { return runState_; }
  TXGraphBuildPhase BuildPhase() const { return buildPhase_; }

  // Interlocked; a new graph has no reference. Release frees the graph at 0.
  ULONG AddRef();
  ULONG Release();

  // Builds a closed graph. True when the graph is built or (asked again during its own build) still building.
  // Raises EAbort when the graph was let go of during the build (its last reference is gone).
  virtual bool Prepare();
  // Run-state requests; while building they are only noted, and the build takes them when it ends. Play builds a
  // closed graph first. Failures of Play and Pause raise EDirectX.
  void Play();
  void Pause();
  void Stop();
  // Makes a build in progress stop at its next check (and returns at once), or releases a built graph.
  void Close();

  // In 100-ns units, relative to the start time; 0 unless built.
  std::int64_t Duration();
  std::int64_t Position();
  // Seeks relative to the start time; E_UNEXPECTED when the graph cannot seek.
  HRESULT SetPosition(std::int64_t position);
  bool CanSeek();
  bool IsSeekable() { return Duration() > 0 && CanSeek(); }
  TXAudioInfo GetAudioInfo();
  // Every filter in enumeration order; empty unless built.
  TIFilterList GetFilters();
  bool HasAudio() const { return !audioRenderers_.empty(); }
  bool HasVideo() const { return !videoRenderers_.empty(); }
  const TIFilterList& AudioRenderers() const { return audioRenderers_; }
  const TIFilterList& VideoRenderers() const { return videoRenderers_; }

  IGraphBuilder* Builder() const { return builder_.Get(); }
  IBaseFilter* SourceFilter() const { return source_.Get(); }
  // The first filter that offers the PCM information (the visualiser tap), or null.
  IXPCMAudioInfo* PCMInfo() const { return pcmInfo_.Get(); }
  // The first filter that offers a redirector's playlist, or null.
  IAMPlayList* PlayListSource() const { return playListSource_.Get(); }
  bool Redirected() const { return redirected_; }

  // The objects attached now.
  std::vector<TXGraphObject*> Objects() const { return objects_.Snapshot(); }

protected:
  // Overridable steps, in the order of a build.
  virtual void DoBuilt() {}
  virtual void DoError(const std::exception& /*error*/) {}
  virtual std::int64_t GetStartTime() { return 0; }
  // 0 = none.
  virtual std::int64_t GetStopTime() { return 0; }
  // Creates the filter graph, adds the source, renders its pins and keeps what later steps look for.
  virtual void BuildGraph();
  // Drops the filter graph and everything taken from it; the attached objects are freed.
  virtual void ClearGraph();
  // The name a redirector's playlist leads to; empty ends the build with the graph closed.
  virtual std::string GetRedirection() { return {}; }
  // Adds the source filter to the graph: by default the one DirectShow picks for the file, loaded on a worker.
  virtual Microsoft::WRL::ComPtr<IBaseFilter> AddSource();
  // On the worker thread (see TSourceLoad): loads `filter`, or, when it is null, adds DirectShow's source for the
  // file (IGraphBuilder::AddSourceFilter).
  virtual void LoadSource(const TSourceLoad& load, Microsoft::WRL::ComPtr<IBaseFilter>& filter);
  // Renders the source's output pins into dummy renderers, takes over the decoded streams that reached them and
  // hands them to RenderAudioPins and RenderVideoPins.
  virtual void RenderSourcePins(const TPinList& pins);
  virtual void RenderAudioPins(const TPinList& pins);
  virtual void RenderVideoPins(const TPinList& pins);

  // Building blocks for subclasses.
  // Raises EAbort once Close was called during the build.
  void CheckAbort() const;
  void SetBuildPhase(TXGraphBuildPhase phase) { buildPhase_ = phase; }
  // Renders each pin, first adding `renderer` (when not null) under `name` (numbered when there is more than one
  // pin) and the `filters`, which DirectShow's rendering then prefers. A renderer left unconnected is removed.
  void RenderPins(const TPinList& pins, const CLSID& renderer, const TXCLSIDList& filters, const std::wstring& name);
  // Renders each pin into a dummy renderer for (`majorType`, `subtype`), with the `filters` added first, and
  // returns the pins that reached it, taken over from the removed dummy.
  TPinList RenderToDummy(const TPinList& pins, const GUID& majorType, const TXCLSIDList& filters,
                         const GUID& subtype);
  Microsoft::WRL::ComPtr<IBaseFilter> AddFilterByCLSID(const CLSID& clsid, const std::wstring& name);
  // Adds each class of the list under its friendly name and a space.
  void AddFilters(const TXCLSIDList& filters);
  // Runs LoadSource on a worker while the user-interface thread handles its messages.
  void LoadSourceInThread(Microsoft::WRL::ComPtr<IBaseFilter>& filter);
  // Posts one of the player's own event codes into the graph's event queue.
  void NotifyEvent(long code);
  std::wstring WideFileName() const;

private:
  friend class TXGraphObject;
  void AttachObject(TXGraphObject* object) { objects_.Add(object); }
  void DetachObject(TXGraphObject* object) { objects_.Remove(object); }
  // Frees every attached object.
  void FreeObjects();

  void Build();
  // One pass of the build; true when a redirection asks for another pass.
  bool BuildPass();
  void EndAborted();
  // Pauses the filter graph on a worker (the pre-roll).
  void PreRoll();
  // Stops the filter graph when it was started.
  void StopFilterGraph();
  void RouteEvents();
  // Runs the built graph from its start time to its stop time.
  void RunGraph();
  template <class Notification>
  void NotifyObjects(Notification notification);
  // The dummy's connected pins' peers, disconnected; the dummy leaves the graph.
  TPinList TakeOverDummyPins(IBaseFilter* dummy);
  Microsoft::WRL::ComPtr<IBaseFilter> AddDummyRenderer(const GUID& majorType, const GUID& subtype);

  HWND notifyWindow_;
  std::string fileName_;
  std::atomic<ULONG> references_{0};
  Microsoft::WRL::ComPtr<IGraphBuilder> builder_;
  Microsoft::WRL::ComPtr<IMediaEventEx> events_;
  TXGraphState state_ = gsClosed;
  TXGraphRunState runState_ = rsStopped;
  TXGraphBuildPhase buildPhase_ = bpCreateGraph;
  // The filter graph was paused or run here and has not been stopped since. Never set while an abandoned worker
  // still pauses it: only a graph no worker works on is stopped.
  bool started_ = false;
  bool redirected_ = false;
  Microsoft::WRL::ComPtr<IBaseFilter> source_;
  Microsoft::WRL::ComPtr<IXPCMAudioInfo> pcmInfo_;
  Microsoft::WRL::ComPtr<IUnknown> dcBass_;
  TIFilterList audioRenderers_;
  TIFilterList videoRenderers_;
  Microsoft::WRL::ComPtr<IAMPlayList> playListSource_;
  TXGraphObjectList objects_;
};

}  // namespace nv
