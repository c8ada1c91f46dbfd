#pragma once
// TXPlayer: the player component on Windows. Its logic is TPlayerCore's; this adds the hidden window of class
// "XPlayerWindow" that receives the graphs' event messages and the player's timers, the graphs themselves
// (TXPlayerGraph), the visualiser and the process's priority class. The main form owns one and sets it up from the
// preferences.
#include <windows.h>

#include <memory>

#include "engine/PlayerCore.h"
#include "engine/win/GraphPlayer.h"
#include "engine/win/XPlayerVisualizer.h"
#include "support/ui/win/Window.h"

namespace nv {

class TXPlayer final : public TPlayerCore {
public:
  explicit TXPlayer(const TPlayListEnvironment& environment = TPlayListEnvironment::System());
  ~TXPlayer() override;

  HWND WindowHandle() const { return window_.Handle(); }
  TXVisualizer& Visualizer() { return visualizer_.Visualizer(); }

  // From the preferences; new graphs build by them.
  void SetGraphRules(TXFileGraphInfos rules) { graphRules_ = std::move(rules); }
  void SetCommonFilters(TXCommonFilters filters) { commonFilters_ = std::move(filters); }
  const TXFileGraphInfos& GraphRules() const { return graphRules_; }
  const TXCommonFilters& CommonFilters() const { return commonFilters_; }

protected:
  TXGraphRef<TPlaybackGraph> NewGraph(TXPlayListItem& item) override;
  void SetTimer(unsigned timer, unsigned periodMs) override;
  void KillTimer(unsigned timer) override;
  void StartVisualizer() override { visualizer_.Visualizer().Start(); }
  void StopVisualizer() override { visualizer_.Visualizer().Stop(); }
  std::uint32_t PriorityClass() override;
  void SetPriorityClass(std::uint32_t priorityClass) override;
  std::int64_t TickCount() override;

private:
  // What the graphs ask of their player.
  class GraphSide final : public TGraphPlayer {
  public:
    explicit GraphSide(TXPlayer& player) : player_(player) {}
    HWND NotifyWindow() override { return player_.WindowHandle(); }
    const TXFileGraphInfos& GraphRules() override { return player_.graphRules_; }
    const TXCommonFilters& CommonFilters() override { return player_.commonFilters_; }
    bool CDADigital() override { return TPlayerCore::CDADigital(); }
    bool CDAErrorCorrection() override { return player_.Properties.CDAErrorCorrection; }
    std::uint8_t EqType() override { return player_.Properties.EqType; }
    TXPlayerVideoRenderType VideoRenderType() override { return player_.Properties.VideoRenderType; }
    std::int32_t MinPosition() override { return player_.Properties.MinPosition; }
    std::int32_t CompleteAdvance() override { return player_.Properties.CompleteAdvance; }
    int Volume() override { return player_.Volume(); }
    bool Muted() override { return player_.Mute(); }
    int Balance() override { return player_.Balance(); }
    void BuildBegins() override { player_.BuildBegins(); }
    void BuildEnds() override { player_.BuildEnds(); }
    void BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                    const std::exception& error) override {
      player_.BuildError(fileName, phase, info, error);
    }
    void Notify(TPlayerEventType event, void* param) override { player_.Notify(event, param); }
    // The equaliser and the video windows come with their own work; until then the chains go without them.
    void InsertEqualizer(TXPlayerGraph&, TPinList&) override {}
    void InsertVisualizer(TXPlayerGraph& graph, TPinList& pins) override;
    void AttachVideo(TXPlayerGraph&) override {}
    void GraphBuilt(TXPlayerGraph& graph) override;
    void GraphCompleted(TXPlayerGraph& graph) override;
    void StreamEnded(TXPlayerGraph& graph) override;
    void CompleteAdvanceReached(TXPlayerGraph& graph) override;
    void UpdatePosition() override { player_.UpdatePosition(); }
    void LeaveFullScreen() override {}
    void StartInfoTimer() override { player_.StartInfoTimer(); }

  private:
    TXPlayer& player_;
  };

  class PlayerWindow final : public Window {
  public:
    explicit PlayerWindow(TXPlayer& player);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleTimer(UINT_PTR id) override;

  private:
    TXPlayer& player_;
  };

  // A graph's event message: handled only for the graphs the player plays.
  void GraphEvents(LPARAM graph);

  PlayerWindow window_;
  GraphSide graphSide_{*this};
  TXFileGraphInfos graphRules_;
  TXCommonFilters commonFilters_;
  TXPlayerVisualizer visualizer_{Observers()};
};

}  // namespace nv
