#include "engine/win/XPlayerGraph.h"

#include <wmsdk.h>

#include <algorithm>

#include "engine/EngineConstants.h"
#include "engine/FilterNames.h"
#include "engine/GraphTimes.h"
#include "engine/GraphVolume.h"
#include "engine/RuleMatching.h"
#include "engine/win/DirectShowPlayList.h"
#include "engine/win/DirectXCheck.h"
#include "engine/win/FriendlyFilterName.h"
#include "engine/win/SourceProviders.h"
#include "filters/FilterConstants.h"
#include "metadata/CDTrackInfo.h"
#include "metadata/win/DirectShowMediaInfo.h"
#include "playlist/XPlayList.h"
#include "support/MarkedText.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"

using Microsoft::WRL::ComPtr;

namespace nv {

namespace {

// What the item reads from the graph built for it.
class PlayerGraphFacts final : public TItemGraphFacts {
public:
  explicit PlayerGraphFacts(TXPlayerGraph& graph) : graph_(graph) {}

  bool IsBuilt() override { return graph_.State() == gsBuilt; }
  TGraphMediaInfo* MediaInfo() override {
    for (const ComPtr<IBaseFilter>& filter : graph_.GetFilters()) {
      ComPtr<IWMHeaderInfo> header;
      ComPtr<IAMMediaContent> content;
      if (SUCCEEDED(filter.As(&header)) || SUCCEEDED(filter.As(&content))) {
        info_.emplace(filter.Get());
        return &*info_;
      }
    }
    return nullptr;
  }
  std::optional<std::string> PluginTitle() override { return WinampPluginTitle(graph_.SourceFilter()); }
  std::int64_t Duration() override { return graph_.Duration(); }
  std::int32_t StreamBitrate() override { return static_cast<std::int32_t>(graph_.GetAudioInfo().BitRate); }

private:
  TXPlayerGraph& graph_;
  std::optional<TDirectShowMediaInfo> info_;
};

CLSID ToClsid(const TXCLSID& clsid) { return ToWinGuid(clsid.Get()); }

// The renderers a video stream is offered, set by set, when its rule names none.
TFilterCLSIDSets VideoRendererSets(TXPlayerVideoRenderType type) {
  switch (type) {
    case vrStandard:
      return {{kVideoRendererClsid}};
    case vrOverlay:
      return {{kOverlayMixerClsid}, {kVideoRendererClsid}};
    case vrVMR9:
      return {{kVideoMixingRenderer9Clsid}, {kVideoRendererClsid}};
    case vrDefault:
      break;
  }
  return {};
}

}  // namespace

TXPlayerGraph::TXPlayerGraph(TGraphPlayer& player, TXPlayListItem* item)
    : TXGraph(player.NotifyWindow(), item ? item->FileName() : std::string()), player_(&player), item_(item) {}

TXPlayerGraph::~TXPlayerGraph() = default;

void TXPlayerGraph::DetachPlayer() {
  player_ = nullptr;
  item_ = nullptr;
}

TGraphPlayer& TXPlayerGraph::BuildingPlayer() const {
  if (!player_) throw EAbort();
  return *player_;
}

bool TXPlayerGraph::Prepare() {
  TGraphPlayer* player = player_;
  if (!player) return TXGraph::Prepare();
  player->BuildBegins();
  const struct BuildCount {
    TGraphPlayer* player;
    ~BuildCount() { player->BuildEnds(); }
  } counted{player};
  return TXGraph::Prepare();
}

// --- building

void TXPlayerGraph::BuildGraph() {
  ruleText_ = {};
  attemptInfo_ = {};
  attemptError_ = {};
  const bool redirectorEntry = Redirected() || (item_ && item_->ASXRedirected);
  try {
    BuildAttempt(1, redirectorEntry);
  } catch (const std::exception& error) {
    AttemptFailed(1, error);
    if (attemptInfo_[0].FailSafe) throw;
    try {
      BuildAttempt(2, redirectorEntry);
    } catch (const std::exception& failSafeError) {
      AttemptFailed(2, failSafeError);
      throw;
    }
  }
  CheckAbort();
  if (HasVideo()) BuildingPlayer().AttachVideo(*this);
  if (IXPCMAudioInfo* pcm = PCMInfo())
    pcm->SetCompleteAdvance(MsToUnits(BuildingPlayer().CompleteAdvance()));
}

void TXPlayerGraph::BuildAttempt(int attempt, bool redirectorEntry) {
  attempt_ = attempt;
  TGraphPlayer& player = BuildingPlayer();
  const RuleMediaItem media = RuleMediaOf(MarkedToUtf16(FileName()));
  const TXFileGraphInfo* rule = FindRule(player.GraphRules(), media.protocol, media.extension, redirectorEntry);
  ruleText_[attempt - 1] = rule ? rule->Extensions : std::string();
  TXPlayerGraphInfo& info = attemptInfo_[attempt - 1];
  info = {};
  // The second attempt uses the rule's fail-safe filters, and none follows it.
  info.FailSafe = attempt == 2;
  ApplyRule(rule, player.CommonFilters(), player.CDADigital(), IsCDTrackPath(FileName()), info);
  TXGraph::BuildGraph();
}

void TXPlayerGraph::AttemptFailed(int attempt, const std::exception& error) {
  CheckAbort();
  if (dynamic_cast<const EAbort*>(&error)) throw EAbort();
  attemptError_[attempt - 1] = error.what();
  BuildingPlayer().BuildError(FileName(), BuildPhase(), attemptInfo_[attempt - 1], error);
}

ComPtr<IBaseFilter> TXPlayerGraph::AddSource() {
  // A copy: the player may change its rules while the source loads.
  const TXPlayerGraphInfo info = CurrentInfo();
  const std::wstring name = ToWide(SourceFilterName(MarkedToUtf16(FileName())));
  ComPtr<IBaseFilter> source;
  if (!info.SourceFilter.Empty()) {
    if (info.SourceFilter.Get() == kWinampSourceClsid) {
      source = CreateWinampSource(FileName(), info.SourceParams);
      DXCheck(Builder()->AddFilter(source.Get(), name.c_str()));
    } else {
      source = AddFilterByCLSID(ToClsid(info.SourceFilter), name);
    }
    LoadSourceInThread(source);
  } else if (info.CDSource != ckNone) {
    source = CreateCDSource(info.CDSource, FileName(), BuildingPlayer().CDAErrorCorrection());
    DXCheck(Builder()->AddFilter(source.Get(), name.c_str()));
  } else {
    source = TXGraph::AddSource();
  }
  AddFilters(info.GeneralFilters);
  return source;
}

void TXPlayerGraph::LoadSource(const TSourceLoad& load, ComPtr<IBaseFilter>& filter) {
  if (!filter) {
    TXGraph::LoadSource(load, filter);
    return;
  }
  // A source that reads no file (it was made for its stream) is used as it is.
  ComPtr<IFileSourceFilter> file;
  if (SUCCEEDED(filter.As(&file))) DXCheck(file->Load(load.fileName.c_str(), nullptr));
}

void TXPlayerGraph::RenderAudioPins(const TPinList& pins) {
  TGraphPlayer& player = BuildingPlayer();
  const TXPlayerGraphInfo& info = CurrentInfo();
  TPinList pcm = RenderToDummy(pins, MEDIATYPE_Audio, info.AudioFilters, MEDIASUBTYPE_PCM);
  if (pcm.empty()) return;
  const CLSID renderer = info.AudioRender.Empty() ? ToWinGuid(kDirectSoundRendererClsid) : ToClsid(info.AudioRender);
  if (player.EqType() != 0) player.InsertEqualizer(*this, pcm);
  player.InsertVisualizer(*this, pcm);
  RenderPins(pcm, renderer, {}, FriendlyFilterName(renderer) + L" ");
}

void TXPlayerGraph::RenderVideoPins(const TPinList& pins) {
  TGraphPlayer& player = BuildingPlayer();
  player.Notify(peVideoBuildBegin, nullptr);
  // The user interface hears the end of the video chain also when building it fails.
  const struct VideoBuildEnd {
    TGraphPlayer& player;
    ~VideoBuildEnd() { player.Notify(peVideoBuildEnd, nullptr); }
  } end{player};
  const TXPlayerGraphInfo info = CurrentInfo();
  if (info.VideoRender.Empty()) AddVideoRendererSet(pins);
  const CLSID renderer = ToClsid(info.VideoRender);
  RenderPins(pins, renderer, info.VideoFilters, FriendlyFilterName(renderer) + L" ");
}

void TXPlayerGraph::AddVideoRendererSet(const TPinList& pins) {
  for (const TXCLSIDList& set : VideoRendererSets(BuildingPlayer().VideoRenderType())) {
    TIFilterList added;
    try {
      for (std::size_t pin = 0; pin < pins.size(); ++pin) {
        for (const Guid& clsid : set) {
          const CLSID winClsid = ToWinGuid(clsid);
          added.push_back(AddFilterByCLSID(winClsid, FriendlyFilterName(winClsid) + L" "));
        }
      }
      return;
    } catch (const EDirectX&) {
      // Not on this system (Wine has no Overlay Mixer): the next set.
      for (const ComPtr<IBaseFilter>& filter : added) Builder()->RemoveFilter(filter.Get());
    }
  }
}

std::string TXPlayerGraph::GetRedirection() {
  if (!item_ || !PlayListSource()) return {};
  TDirectShowPlayList entries(PlayListSource());
  // The redirector entry is replaced by its entries and destroyed: while that happens it is no longer this graph's
  // item, so that the player, letting go of a destroyed item, does not close the graph that redirects.
  TXPlayListItem* redirector = std::exchange(item_, nullptr);
  TXPlayListItem* first = nullptr;
  try {
    first = redirector->List().ExpandMediaPlayList(redirector, entries);
  } catch (...) {
    item_ = redirector;
    throw;
  }
  item_ = first ? first : redirector;
  return first ? first->FileName() : std::string();
}

void TXPlayerGraph::DoBuilt() {
  if (!player_) return;
  player_->Notify(peGraphBuilt, static_cast<TPlaybackGraph*>(this));
  ApplyVolume();
}

void TXPlayerGraph::DoError(const std::exception& error) {
  if (player_) player_->Notify(peGraphBuilt, static_cast<TPlaybackGraph*>(this));
  if (item_) item_->StoreError(error);
}

// --- times and sound

std::int64_t TXPlayerGraph::GetStartTime() {
  const std::optional<double> start =
      item_ ? item_->Info.GetValue(kStartTimeAttribute).ToNumber() : std::optional<double>();
  return GraphStartTime(start, player_ ? player_->MinPosition() : 0);
}

std::int64_t TXPlayerGraph::GetStopTime() {
  return GraphStopTime(item_ ? item_->Info.GetValue(kEndTimeAttribute).ToNumber() : std::optional<double>());
}

void TXPlayerGraph::ApplyVolume() {
  ComPtr<IBasicAudio> audio;
  if (!player_ || State() != gsBuilt || FAILED(Builder()->QueryInterface(IID_PPV_ARGS(&audio)))) return;
  audio->put_Volume(GraphVolume(player_->Volume(), player_->Muted(), attenuation_));
  audio->put_Balance(GraphBalance(player_->Balance()));
}

std::optional<std::int64_t> TXPlayerGraph::BufferedAfterEnd() {
  IXPCMAudioInfo* pcm = PCMInfo();
  LONGLONG buffered = 0;
  if (State() != gsBuilt || !pcm || !pcm->IsEndOfStream() || FAILED(pcm->GetBufferedTime(&buffered))) return {};
  return buffered;
}

void TXPlayerGraph::SetAttenuation(int percent) {
  attenuation_ = static_cast<std::uint8_t>(std::clamp(percent, 0, 100));
  ApplyVolume();
}

// --- events

void TXPlayerGraph::UpdateItemInfo(bool refresh) {
  if (!item_ || !player_) return;
  if (refresh) item_->Info.Loaded = false;
  PlayerGraphFacts facts(*this);
  item_->UpdateFromGraph(facts);
  player_->Notify(peItemInfoChanged, item_);
  player_->StartInfoTimer();
}

void TXPlayerGraph::HandleGraphEvents() {
  ComPtr<IMediaEventEx> events;
  if (!Builder() || FAILED(Builder()->QueryInterface(IID_PPV_ARGS(&events)))) return;
  // The player may let go of this graph in any of its calls.
  const TXGraphRef<TXPlayerGraph> hold(this);
  long code = 0;
  LONG_PTR param1 = 0, param2 = 0;
  while (player_ && State() == gsBuilt && events->GetEvent(&code, &param1, &param2, 0) == S_OK) {
    events->FreeEventParams(code, param1, param2);
    TGraphPlayer& player = *player_;
    switch (code) {
      case EC_COMPLETE:
        player.GraphCompleted(*this);
        return;
      case EC_FULLSCREEN_LOST:
        player.LeaveFullScreen();
        break;
      case EC_LENGTH_CHANGED:
        player.UpdatePosition();
        break;
      case EC_CONTENTPROPERTY_CHANGED:
        UpdateItemInfo(true);
        player.Notify(peCurrentChanged, nullptr);
        break;
      case kEcGraphBuilt:
        player.GraphBuilt(*this);
        return;
      case kEcEndOfData:
        player.StreamEnded(*this);
        return;
      case kEcCompleteAdvance:
        player.CompleteAdvanceReached(*this);
        return;
      case kEcItemInfoChanged:
        UpdateItemInfo(false);
        break;
      default:
        break;
    }
  }
}

}  // namespace nv
