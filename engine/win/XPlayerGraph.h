#pragma once
// TXPlayerGraph: the player's graph for one playlist item. It builds by the graph building rules in up to two
// attempts (the rule's normal filters, then its fail-safe filters or DirectShow's own graph), reporting each failed
// attempt to the player; picks the source (the player's CD sources, the Winamp plug-in source, a rule's source
// filter or DirectShow's file source); builds the audio chain through the player's equaliser and visualiser hooks
// into the chosen renderer and the video chain with the chosen video renderer; plays the item's sub-range from the
// player's minimum position on; maps the player's volume and balance onto the graph; and turns the graph's events
// into calls on the player.
//
// The player holds its graphs counted (TXGraphRef) and sees them as TPlaybackGraphs. When it lets go of a graph
// that is still building further up the call stack, it calls DetachPlayer, so that the build can no longer reach
// the player or the item.
#include <array>
#include <cstdint>
#include <string>

#include "engine/GraphRules.h"
#include "engine/PlaybackGraph.h"
#include "engine/win/GraphPlayer.h"
#include "engine/win/XGraph.h"

namespace nv {

class TXPlayListItem;

class TXPlayerGraph : public TXGraph, public TPlaybackGraph {
public:
  // Builds for the item's file name, with the player's window as the notify window.
  TXPlayerGraph(TGraphPlayer& player, TXPlayListItem* item);
  ~TXPlayerGraph() override;

  TGraphPlayer* Player() const { return player_; }
  TXPlayListItem* Item() const override { return item_; }
  // The player let go: no more calls to it, and the item is no longer this graph's to touch.
  void DetachPlayer() override;

  // Fade attenuation in percent: 0 full volume, 100 silent.
  std::uint8_t Attenuation() const override { return attenuation_; }
  void SetAttenuation(int percent) override;
  // The player's volume, mute and balance (and the attenuation) onto the built graph.
  void ApplyVolume() override;

  // The graph as the player's logic sees it.
  unsigned long AddRef() override { return TXGraph::AddRef(); }
  unsigned long Release() override { return TXGraph::Release(); }
  TXGraphState State() const override { return TXGraph::State(); }
  void Play() override { TXGraph::Play(); }
  void Pause() override { TXGraph::Pause(); }
  void Stop() override { TXGraph::Stop(); }
  void Close() override { TXGraph::Close(); }
  void ReportError(const std::exception& error) override { DoError(error); }
  std::int64_t Duration() override { return TXGraph::Duration(); }
  std::int64_t Position() override { return TXGraph::Position(); }
  bool Seek(std::int64_t position) override { return SUCCEEDED(SetPosition(position)); }
  bool CanSeek() override { return TXGraph::CanSeek(); }
  bool IsSeekable() override { return TXGraph::IsSeekable(); }
  bool HasAudio() const override { return TXGraph::HasAudio(); }
  bool HasVideo() const override { return TXGraph::HasVideo(); }
  TXAudioInfo GetAudioInfo() override { return TXGraph::GetAudioInfo(); }
  std::optional<std::int64_t> BufferedAfterEnd() override;

  // The building attempt in use: 1 normal, 2 fail-safe. The arrays below are indexed by attempt - 1.
  int Attempt() const { return attempt_; }
  // The `Extensions` of the rule each attempt matched; empty when none matched.
  const std::string& RuleText(int attempt) const { return ruleText_.at(attempt - 1); }
  const TXPlayerGraphInfo& AttemptInfo(int attempt) const { return attemptInfo_.at(attempt - 1); }
  // The message of the error that ended each attempt; empty when it succeeded, was not tried or was aborted.
  const std::string& AttemptError(int attempt) const { return attemptError_.at(attempt - 1); }

  // The item's information from the built graph; with `refresh` the item's own information is read again too.
  void UpdateItemInfo(bool refresh);
  // Drains the graph's event queue (the player calls it for the graph's event message).
  void HandleGraphEvents();

  bool Prepare() override;

protected:
  void DoBuilt() override;
  void DoError(const std::exception& error) override;
  std::int64_t GetStartTime() override;
  std::int64_t GetStopTime() override;
  void BuildGraph() override;
  std::string GetRedirection() override;
  Microsoft::WRL::ComPtr<IBaseFilter> AddSource() override;
  void LoadSource(const TSourceLoad& load, Microsoft::WRL::ComPtr<IBaseFilter>& filter) override;
  void RenderAudioPins(const TPinList& pins) override;
  void RenderVideoPins(const TPinList& pins) override;

private:
  // The player, or EAbort when it has let go.
  TGraphPlayer& BuildingPlayer() const;
  // One attempt (1 or 2): the rule, its filters, the base build.
  void BuildAttempt(int attempt, bool redirectorEntry);
  // Records and reports a failed attempt; an abort passes on untouched.
  void AttemptFailed(int attempt, const std::exception& error);
  // The first set of video renderers that can all be made and added, one of each per video pin.
  void AddVideoRendererSet(const TPinList& pins);
  const TXPlayerGraphInfo& CurrentInfo() const { return attemptInfo_.at(attempt_ - 1); }

  TGraphPlayer* player_;
  std::uint8_t attenuation_ = 0;
  TXPlayListItem* item_;
  int attempt_ = 1;
  std::array<std::string, 2> ruleText_;
  std::array<TXPlayerGraphInfo, 2> attemptInfo_;
  std::array<std::string, 2> attemptError_;
};

}  // namespace nv
