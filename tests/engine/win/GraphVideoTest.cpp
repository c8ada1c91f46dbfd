// The video chain under Wine: the renderer sets of the video render types (Wine has no Overlay Mixer, so that set
// gives way to the Video Renderer), a rule's own video renderer, and what the player hears of it.
#include <gtest/gtest.h>

#include "engine/EngineConstants.h"
#include "engine/win/FriendlyFilterName.h"
#include "support/win/WinGuid.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/engine/win/TestSources.h"
#include "tests/filters/FilterTestGraph.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

CLSID ClassOf(IBaseFilter* filter) {
  CLSID clsid{};
  filter->GetClassID(&clsid);
  return clsid;
}

struct RendererCase {
  TXPlayerVideoRenderType type;
  Guid ruleRenderer;  // null: the rule names none
  Guid expected;      // null: whatever DirectShow picks
};

void CheckRenderer(const RendererCase& c) {
  SCOPED_TRACE(testing::Message() << "type " << static_cast<int>(c.type) << " rule's renderer "
                                  << FormatGuid(c.ruleRenderer));
  GraphTestPlayer player;
  player.videoRenderType = c.type;
  if (!c.ruleRenderer.IsNull()) {
    TXFileGraphInfo rule;
    rule.Extensions = ".avi";
    rule.Normal.VideoRender = c.ruleRenderer;
    player.rules.push_back(rule);
  }
  TestPlayList playlist;
  TXPlayListItem& item = playlist.Add(MediaPath("grey.avi"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player, &item);

  ASSERT_TRUE(graph->Prepare());
  EXPECT_TRUE(player.buildErrors.empty());
  EXPECT_TRUE(graph->HasVideo());
  EXPECT_FALSE(graph->HasAudio());
  EXPECT_EQ(player.Count(peVideoBuildBegin), 1);
  EXPECT_EQ(player.Count(peVideoBuildEnd), 1);
  EXPECT_EQ(player.videoAttached, 1);
  ASSERT_EQ(graph->VideoRenderers().size(), 1u);
  IBaseFilter* renderer = graph->VideoRenderers()[0].Get();
  if (!c.expected.IsNull()) {
    EXPECT_EQ(ClassOf(renderer), ToWinGuid(c.expected));
    EXPECT_EQ(FilterName(renderer), FriendlyFilterName(ToWinGuid(c.expected)) + L" ");
  }
  for (const ComPtr<IBaseFilter>& filter : graph->GetFilters())
    EXPECT_NE(ClassOf(filter.Get()), ToWinGuid(kOverlayMixerClsid));
  EXPECT_EQ(graph->GetFilters().size(), 3u) << "source, splitter and renderer: the renderers not used are gone";
  graph->Close();
}

TEST(GraphVideo, EachRenderTypeGetsItsRendererAndTheOverlayMixerGivesWayToTheVideoRenderer) {
  ComApartment com;
  ComPtr<IBaseFilter> overlay;
  EXPECT_HRESULT_FAILED(
      CoCreateInstance(ToWinGuid(kOverlayMixerClsid), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&overlay)))
      << "Wine has no Overlay Mixer: the fall-back is what this test sees";

  const RendererCase cases[] = {
      {vrStandard, {}, kVideoRendererClsid},
      {vrOverlay, {}, kVideoRendererClsid},
  };
  for (const RendererCase& c : cases) CheckRenderer(c);
}

// The default type leaves the choice to the system, whose intelligent connection tries the VMR9 first.
TEST(GraphVideo, TheVideoMixingRenderer9ByRenderTypeByRuleAndAsTheSystemsChoiceWhereWinesVmr9CanConnect) {
  if (sizeof(void*) == 4)
    GTEST_SKIP() << "32-bit Wine's VMR9 crashes while connecting (IVMRSurfaceAllocator9_InitializeDevice on a null "
                    "allocator); the 64-bit run covers these rows";
  ComApartment com;
  const RendererCase cases[] = {
      {vrDefault, {}, {}},
      {vrVMR9, {}, kVideoMixingRenderer9Clsid},
      {vrStandard, kVideoMixingRenderer9Clsid, kVideoMixingRenderer9Clsid},
  };
  for (const RendererCase& c : cases) CheckRenderer(c);
}

}  // namespace
}  // namespace nv::test
