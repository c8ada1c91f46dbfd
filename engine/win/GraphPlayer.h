#pragma once
// What a player graph needs of its player: the settings it builds and plays by, the reports it makes while it
// builds, the player's hooks into the audio and video chains, and the calls its events turn into. The player
// component implements it.
#include <cstdint>
#include <exception>
#include <string>

#include "engine/GraphRules.h"
#include "engine/GraphTypes.h"
#include "engine/PlayerTypes.h"
#include "engine/win/GraphPins.h"

#include <windows.h>

namespace nv {

class TXPlayerGraph;

class TGraphPlayer {
public:
  virtual ~TGraphPlayer() = default;

  // The window the graphs' event messages go to.
  virtual HWND NotifyWindow() = 0;

  // Settings.
  virtual const TXFileGraphInfos& GraphRules() = 0;
  virtual const TXCommonFilters& CommonFilters() = 0;
  virtual bool CDADigital() = 0;
  virtual bool CDAErrorCorrection() = 0;
  // 0: no equaliser in new graphs.
  virtual std::uint8_t EqType() = 0;
  virtual TXPlayerVideoRenderType VideoRenderType() = 0;
  // Milliseconds: every item starts at least this far in; the next item starts this long before the end.
  virtual std::int32_t MinPosition() = 0;
  virtual std::int32_t CompleteAdvance() = 0;
  virtual int Volume() = 0;   // 0..100
  virtual bool Muted() = 0;
  virtual int Balance() = 0;  // -100..100

  // A build is running for as long as it lasts (builds nest: a build handles messages).
  virtual void BuildBegins() = 0;
  virtual void BuildEnds() = 0;
  // An attempt failed (OnBuildError): `fileName` is held text; `phase` is where it failed.
  virtual void BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                          const std::exception& error) = 0;
  // The player's event, to the playlist, the observers and its owner. `param` as TPlayerEventType says.
  virtual void Notify(TPlayerEventType event, void* param) = 0;

  // The audio chain: the equaliser (only asked when EqType is not 0) and the visualiser tap take the decoded PCM
  // pins and replace each one they use by their filter's output pin.
  virtual void InsertEqualizer(TXPlayerGraph& graph, TPinList& pins) = 0;
  virtual void InsertVisualizer(TXPlayerGraph& graph, TPinList& pins) = 0;
  // A built graph with video gets the player's video object.
  virtual void AttachVideo(TXPlayerGraph& graph) = 0;

  // The graphs' events.
  virtual void GraphBuilt(TXPlayerGraph& graph) = 0;
  virtual void GraphCompleted(TXPlayerGraph& graph) = 0;
  virtual void StreamEnded(TXPlayerGraph& graph) = 0;
  virtual void CompleteAdvanceReached(TXPlayerGraph& graph) = 0;
  // The length changed: read position and duration again.
  virtual void UpdatePosition() = 0;
  virtual void LeaveFullScreen() = 0;
  // (Re)starts the background information timer.
  virtual void StartInfoTimer() = 0;
};

}  // namespace nv
