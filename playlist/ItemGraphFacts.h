#pragma once
// What the graph built for a playlist item tells about the item once it is built. The graph building side
// implements it; an item reads it in UpdateFromGraph.
#include <cstdint>
#include <optional>
#include <string>

#include "metadata/GraphMediaInfo.h"

namespace nv {

class TItemGraphFacts {
public:
  virtual ~TItemGraphFacts() = default;
  // The graph has reached the built state.
  virtual bool IsBuilt() = 0;
  // The first of the graph's filters that offers a Windows Media header or media content; null when none does.
  virtual TGraphMediaInfo* MediaInfo() = 0;
  // The title a Winamp input plug-in gives for its stream (code-page text), when the graph's source filter hosts
  // one; nothing otherwise.
  virtual std::optional<std::string> PluginTitle() = 0;
  // The graph's duration in 100 ns units, 0 when it has none.
  virtual std::int64_t Duration() = 0;
  // The bit rate of the graph's stream information in bits per second, 0 when unknown.
  virtual std::int32_t StreamBitrate() = 0;
};

}  // namespace nv
