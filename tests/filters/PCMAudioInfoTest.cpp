// The PCM information filter in real graphs: the delivered time, the end-of-data event with the buffered time it
// announces, the complete-advance notice and its timer, and the formats it takes. It prints what it measures of
// Wine's DirectSound renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "filters/FilterConstants.h"
#include "filters/win/XPCMAudioInfoFilter.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/filters/FilterTestGraph.h"
#include "tests/filters/TestToneSource.h"

namespace nv::test {
namespace {

// DirectShow's Null Renderer: takes any type and renders nothing, in real time.
constexpr CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

double Ms(LONGLONG units) { return static_cast<double>(units) / kUnitsPerMs; }

ComPtr<TXPCMAudioInfoFilter> NewInfoFilter() {
  return ComPtr<TXPCMAudioInfoFilter>(new TXPCMAudioInfoFilter(L"PCM info", GUID_NULL, nullptr));
}

// A tone source feeding the PCM information filter and a Null Renderer, which takes each sample at its time.
struct NullRendered {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
};
NullRendered ThroughNullRenderer(TestToneSource* source, TXPCMAudioInfoFilter* info) {
  NullRendered rendered{NewGraph(), nullptr};
  ComPtr<IBaseFilter> renderer;
  if (!rendered.graph ||
      !Step(CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer)), "Null Renderer"))
    return {};
  IGraphBuilder* graph = rendered.graph.Get();
  IBaseFilter* filter = info->AsBaseFilter();
  const bool done = Step(graph->AddFilter(source->AsBaseFilter(), nullptr), "adding the source") &&
                    Step(graph->AddFilter(filter, nullptr), "adding the filter") &&
                    Step(graph->AddFilter(renderer.Get(), nullptr), "adding the renderer") &&
                    Step(graph->ConnectDirect(source->OutputPin(), PinOf(filter, PINDIR_INPUT).Get(), nullptr),
                         "source to filter") &&
                    Step(graph->ConnectDirect(PinOf(filter, PINDIR_OUTPUT).Get(),
                                              PinOf(renderer.Get(), PINDIR_INPUT).Get(), nullptr),
                         "filter to renderer") &&
                    Step(rendered.graph.As(&rendered.control), "IMediaControl");
  return done ? rendered : NullRendered{};
}

class ObservedInfoFilter : public TXPCMAudioInfoFilter {
public:
  explicit ObservedInfoFilter(bool& destroyed)
      : TXPCMAudioInfoFilter(L"PCM info", GUID_NULL, nullptr), destroyed_(destroyed) {}
  ~ObservedInfoFilter() override { destroyed_ = true; }

private:
  bool& destroyed_;
};

class PcmAudioInfo : public ::testing::Test {
protected:
  ComApartment com_;
  const ToneFile twoSeconds_{"norvale-pcminfo", {440, 2000, 44100, 2, 0.5}};
};

TEST_F(PcmAudioInfo, CountsTheWholeFileAndTellsTheEndOfTheDataFirst) {
  const ComPtr<TXPCMAudioInfoFilter> info = NewInfoFilter();
  const Playback playback = RenderFileThrough(twoSeconds_.Path(), info->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  WAVEFORMATEX format{};
  ASSERT_EQ(info->GetFormat(&format), S_OK);
  EXPECT_EQ(format.nSamplesPerSec, 44100u);
  EXPECT_EQ(format.nChannels, 2);
  EXPECT_EQ(format.wBitsPerSample, 16);
  EXPECT_EQ(format.nAvgBytesPerSec, 176400u);
  ComPtr<IMediaSeeking> seeking;
  ASSERT_EQ(info->QueryInterface(IID_PPV_ARGS(&seeking)), S_OK) << "seeking through the output pin";
  LONGLONG duration = 0;
  EXPECT_EQ(seeking->GetDuration(&duration), S_OK);
  EXPECT_NEAR(Ms(duration), 2000, 1);

  EventLog events(playback.graph.Get());
  const double started = events.NowMs();
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  LONGLONG buffered = -1, played = -1;
  ASSERT_TRUE(events.WaitFor(EC_COMPLETE, 6000, [&](const GraphEvent& event) {
    if (event.code != kEcEndOfData) return;
    EXPECT_TRUE(info->IsEndOfStream());
    EXPECT_EQ(info->GetBufferedTime(&buffered), S_OK);
    EXPECT_EQ(info->GetPlayTime(&played), S_OK);
  }));
  const GraphEvent* endOfData = events.Find(kEcEndOfData);
  const GraphEvent* complete = events.Find(EC_COMPLETE);
  ASSERT_NE(endOfData, nullptr);
  EXPECT_LT(endOfData, complete) << "the end of the data is told before the renderer completes";
  EXPECT_EQ(events.Count(kEcEndOfData), 1);
  std::printf("Wine's DirectSound renderer: end of data %.0f ms after Run with %.0f ms buffered (play time %.0f ms); "
              "EC_COMPLETE %.0f ms later\n",
              endOfData->atMs - started, Ms(buffered), Ms(played), complete->atMs - endOfData->atMs);
  EXPECT_GT(buffered, 0);
  EXPECT_LT(Ms(buffered), 2000);
  EXPECT_NEAR(Ms(played + buffered), 2000, 1) << "what is heard and what is still buffered make the whole file";

  LONGLONG delivered = 0;
  EXPECT_EQ(info->GetDeliveredTime(&delivered), S_OK);
  EXPECT_NEAR(Ms(delivered), 2000, 1) << "the delivered time at the end is the file's length";
  Sleep(kRendererDrainMs);
  playback.control->Stop();
  EXPECT_FALSE(info->IsEndOfStream());
  EXPECT_EQ(info->GetDeliveredTime(&delivered), S_OK);
  EXPECT_EQ(delivered, 0) << "stopped";
}

TEST_F(PcmAudioInfo, TheBufferedTimeIsWhatIsStillToBeHeard) {
  const ComPtr<TXPCMAudioInfoFilter> info = NewInfoFilter();
  const Playback playback = RenderFileThrough(twoSeconds_.Path(), info->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  AudioRecorder recorder("filters-pcminfo-buffered");
  recorder.Start();
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  LONGLONG buffered = -1;
  // Stopping at the end of the data cuts off exactly what was still buffered.
  ASSERT_TRUE(events.WaitFor(kEcEndOfData, 6000, [&](const GraphEvent& event) {
    if (event.code != kEcEndOfData) return;
    EXPECT_EQ(info->GetBufferedTime(&buffered), S_OK);
    playback.control->Stop();
  }));
  const std::vector<Span> spans = TonesHeard(recorder.Stop());
  ASSERT_EQ(spans.size(), 1u);
  const double unheard = 2000 - spans[0].LengthMs();
  std::printf("stopped with %.0f ms buffered: %.0f ms of 2000 not heard\n", Ms(buffered), unheard);
  EXPECT_GE(unheard, Ms(buffered) - 50) << "audio counted as buffered had been heard already";
  // Past the renderer, Wine's mixer and PulseAudio hold some more (0 to 150 ms measured), lost at the stop too.
  EXPECT_LE(unheard, Ms(buffered) + 250) << "far more was cut off than was buffered";
}

TEST_F(PcmAudioInfo, TheCompleteAdvanceNoticeComesItsTimeBeforeTheLastSampleIsHeard) {
  // Wine's DirectSound renderer holds less than 200 ms; the Null Renderer with half-second samples holds up to
  // half a second, enough to tell the timer from a notice at once.
  ToneSourceOptions longSamples;
  longSamples.durationMs = 2000;
  longSamples.bufferMs = 500;
  struct Case {
    const char* what;
    bool directSound;
    LONGLONG advanceMs;
  };
  const Case cases[] = {{"more than is buffered: at once", true, 5000},
                        {"less than is buffered: by the timer", false, 200}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ComPtr<TXPCMAudioInfoFilter> info = NewInfoFilter();
    info->SetCompleteAdvance(c.advanceMs * kUnitsPerMs);
    const ComPtr<TestToneSource> source = TestToneSource::Create(longSamples);
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    if (c.directSound) {
      const Playback playback = RenderFileThrough(twoSeconds_.Path(), info->AsBaseFilter());
      graph = playback.graph;
      control = playback.control;
    } else {
      const NullRendered rendered = ThroughNullRenderer(source.Get(), info.Get());
      graph = rendered.graph;
      control = rendered.control;
    }
    ASSERT_TRUE(control);
    EventLog events(graph.Get());
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    LONGLONG buffered = -1;
    ASSERT_TRUE(events.WaitFor(kEcCompleteAdvance, 6000, [&](const GraphEvent& event) {
      if (event.code == kEcEndOfData) info->GetBufferedTime(&buffered);
    }));
    const GraphEvent* endOfData = events.Find(kEcEndOfData);
    ASSERT_NE(endOfData, nullptr);
    const double after = events.Find(kEcCompleteAdvance)->atMs - endOfData->atMs;
    const double expected = std::max(0.0, Ms(buffered) - static_cast<double>(c.advanceMs));
    std::printf("advance %lld ms, %.0f ms buffered: notice %.0f ms after the end of data\n", c.advanceMs, Ms(buffered),
                after);
    EXPECT_NEAR(after, expected, 150);
    events.Collect(300);
    EXPECT_EQ(events.Count(kEcCompleteAdvance), 1);
    control->Stop();
  }
}

TEST_F(PcmAudioInfo, AStopDisarmsTheCompleteAdvanceTimer) {
  bool destroyed = false;
  {
    const ComPtr<TXPCMAudioInfoFilter> info(new ObservedInfoFilter(destroyed));
    info->SetCompleteAdvance(1 * kUnitsPerMs);  // the timer runs for about the buffered time
    const Playback playback = RenderFileThrough(twoSeconds_.Path(), info->AsBaseFilter());
    ASSERT_TRUE(playback.control);
    EventLog events(playback.graph.Get());
    ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
    LONGLONG buffered = 0;
    ASSERT_TRUE(events.WaitFor(kEcEndOfData, 6000, [&](const GraphEvent& event) {
      if (event.code != kEcEndOfData) return;
      info->GetBufferedTime(&buffered);
      playback.control->Stop();
    }));
    ASSERT_GT(Ms(buffered), 50) << "too little buffered to arm the timer";
    events.Collect(Ms(buffered) + 300);
    EXPECT_EQ(events.Count(kEcCompleteAdvance), 0) << "the timer fired into a stopped filter";
  }
  EXPECT_TRUE(destroyed) << "the timer's hold on the filter was given back";
}

// A tone through the filter into the DirectSound renderer, which holds back up to 200 ms under Wine.
struct ToneGraph {
  ComPtr<TXPCMAudioInfoFilter> info = NewInfoFilter();
  ComPtr<TestToneSource> source;
  Playback playback;

  explicit ToneGraph(LONGLONG advanceMs) {
    ToneSourceOptions tone;
    tone.durationMs = 1500;
    source = TestToneSource::Create(tone);
    info->SetCompleteAdvance(advanceMs * kUnitsPerMs);
    playback = RenderSourceThrough(source->AsBaseFilter(), info->AsBaseFilter());
  }
};

TEST_F(PcmAudioInfo, ASeekDisarmsTheCompleteAdvanceTimerAndTheNoticeComesForTheNewEnd) {
  ToneGraph graph(1);  // the timer runs for about the buffered time
  ASSERT_TRUE(graph.playback.control);
  EventLog events(graph.playback.graph.Get());
  ASSERT_TRUE(SUCCEEDED(graph.playback.control->Run()));
  LONGLONG buffered = 0;
  ASSERT_TRUE(events.WaitFor(kEcEndOfData, 6000, [&](const GraphEvent& event) {
    if (event.code != kEcEndOfData) return;
    graph.info->GetBufferedTime(&buffered);
    LONGLONG start = 0;
    graph.playback.seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  }));
  ASSERT_GT(Ms(buffered), 50) << "too little buffered to arm the timer";
  EXPECT_FALSE(graph.info->IsEndOfStream()) << "the seek starts the stream again";
  ASSERT_TRUE(events.WaitFor(kEcEndOfData, 6000)) << "the end of the data sought back into";
  ASSERT_TRUE(events.WaitFor(kEcCompleteAdvance, 2000)) << "its notice";
  const std::vector<GraphEvent>& all = events.Events();
  const auto secondEnd = std::find_if(std::find_if(all.begin(), all.end(),
                                                   [](const GraphEvent& e) { return e.code == kEcEndOfData; }) + 1,
                                      all.end(), [](const GraphEvent& e) { return e.code == kEcEndOfData; });
  EXPECT_EQ(std::count_if(all.begin(), secondEnd, [](const GraphEvent& e) { return e.code == kEcCompleteAdvance; }), 0)
      << "the timer armed before the seek fired in the middle of the item";
  graph.playback.control->Stop();
}

TEST_F(PcmAudioInfo, APauseAndRunAfterTheEndOfTheDataKeepWhatIsStillToBeHeard) {
  ToneGraph graph(0);
  ASSERT_TRUE(graph.playback.control);
  EventLog events(graph.playback.graph.Get());
  ASSERT_TRUE(SUCCEEDED(graph.playback.control->Run()));
  ASSERT_TRUE(events.WaitFor(kEcEndOfData, 6000, [&](const GraphEvent& event) {
    if (event.code == kEcEndOfData) graph.playback.control->Pause();
  }));
  ASSERT_TRUE(graph.info->IsEndOfStream());
  ASSERT_TRUE(SUCCEEDED(graph.playback.control->Run()));
  EXPECT_TRUE(graph.info->IsEndOfStream()) << "resumed, the data has still ended: the player waits for its last sound";
  LONGLONG buffered = 0;
  EXPECT_EQ(graph.info->GetBufferedTime(&buffered), S_OK);
  EXPECT_GT(Ms(buffered), 0);
  graph.playback.control->Stop();
  EXPECT_FALSE(graph.info->IsEndOfStream());
}

TEST_F(PcmAudioInfo, TakesPcmInAWaveFormatBlockOnly) {
  const ComPtr<TXPCMAudioInfoFilter> info = NewInfoFilter();
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  const MediaType& pcm = source->Stream().CurrentMediaType();
  MediaType bare(pcm), truncated(pcm), noBlock(pcm), floating(pcm), noFormat(pcm);
  bare.cbFormat = sizeof(PCMWAVEFORMAT);
  truncated.cbFormat = sizeof(PCMWAVEFORMAT) - 2;
  noBlock.SetFormat(FORMAT_WaveFormatEx, nullptr, 0);
  floating.subtype = MEDIASUBTYPE_IEEE_FLOAT;
  noFormat.SetFormat(FORMAT_None, nullptr, 0);
  struct Case {
    const char* what;
    const MediaType& type;
    HRESULT expected;
  };
  const Case cases[] = {
      {"WAVEFORMATEX", pcm, S_OK},
      {"a bare PCMWAVEFORMAT, without cbSize", bare, S_OK},
      {"a block shorter than PCMWAVEFORMAT", truncated, S_FALSE},
      {"no format block", noBlock, S_FALSE},
      {"float samples", floating, S_FALSE},
      {"no wave format", noFormat, S_FALSE},
  };
  const ComPtr<IPin> input = PinOf(info->AsBaseFilter(), PINDIR_INPUT);
  for (const Case& c : cases) EXPECT_EQ(input->QueryAccept(&c.type), c.expected) << c.what;
  bare.cbFormat = truncated.cbFormat = sizeof(WAVEFORMATEX);  // the blocks' true size, for freeing
}

TEST_F(PcmAudioInfo, CountsByTheFormatInForce) {
  struct Case {
    const char* what;
    ULONG formatSize;
    bool zeroAverageRate;
    int typeChangeAtMs;
    double deliveredMs;
    WORD bitsPerSample;
  };
  const Case cases[] = {
      {"a bare PCMWAVEFORMAT", sizeof(PCMWAVEFORMAT), false, 0, 600, 16},
      {"no average rate", sizeof(WAVEFORMATEX), true, 0, 600, 16},
      // The bytes after the change stay 16-bit: read as 8-bit they last twice as long.
      {"8-bit announced at 300 ms", sizeof(WAVEFORMATEX), false, 300, 300 + 2 * 300, 8},
      {"8-bit announced at 300 ms, no average rate", sizeof(WAVEFORMATEX), true, 300, 300 + 2 * 300, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ToneSourceOptions tone;
    tone.durationMs = 600;
    tone.formatSize = c.formatSize;
    tone.zeroAverageRate = c.zeroAverageRate;
    tone.typeChangeAtMs = c.typeChangeAtMs;
    const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
    const ComPtr<TXPCMAudioInfoFilter> info = NewInfoFilter();
    const NullRendered rendered = ThroughNullRenderer(source.Get(), info.Get());
    ASSERT_TRUE(rendered.control);

    EventLog events(rendered.graph.Get());
    ASSERT_TRUE(SUCCEEDED(rendered.control->Run()));
    ASSERT_TRUE(events.WaitFor(kEcEndOfData, 5000));
    EXPECT_EQ(events.Find(EC_ERRORABORT), nullptr);
    LONGLONG delivered = 0;
    EXPECT_EQ(info->GetDeliveredTime(&delivered), S_OK);
    EXPECT_NEAR(Ms(delivered), c.deliveredMs, 1);
    WAVEFORMATEX format{};
    ASSERT_EQ(info->GetFormat(&format), S_OK);
    EXPECT_EQ(format.wBitsPerSample, c.bitsPerSample);
    EXPECT_EQ(format.cbSize, 0);
    rendered.control->Stop();
  }
}

}  // namespace
}  // namespace nv::test
