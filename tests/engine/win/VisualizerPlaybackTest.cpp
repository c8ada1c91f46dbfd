// The visualiser with taps in real graphs playing generated tones through Wine's DirectSound renderer: frames
// about 30 times a second showing the tone being played, silence, a stream the tap cannot read, and the taps of
// two graphs mixed as in a crossfade.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

#include "engine/EngineConstants.h"
#include "engine/win/VisualizerTaps.h"
#include "engine/win/XVisualizer.h"
#include "engine/win/XVisualizerFilter.h"
#include "support/win/WinGuid.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/filters/FilterTestGraph.h"

namespace nv::test {
namespace {

// A tone whose period divides a block of 1024 frames at 44100 Hz lands in one spectrum bin whatever the block's
// phase: bin k is k × 44100 / 1024 Hz.
double BinHz(int bin) { return bin * 44100.0 / kVisualizerBlockFrames; }
// A sine at half of full scale reads half of the full-scale 2317.
constexpr double kHalfScalePeak = 1158.5;

// The player's part: wants what it is told and keeps every frame with the time it came.
class FrameLog : public VisualizationSink {
public:
  struct Entry {
    double atMs;
    VisualizationFrame frame;
  };

  std::atomic<std::uint8_t> wanted{kWantWaveform | kWantSpectrum};

  std::uint8_t DataWanted() override { return wanted; }
  void FrameReady(const VisualizationFrame& frame) override {
    const double at = NowMs();
    std::lock_guard lock(lock_);
    entries_.push_back({at, frame});
  }

  double NowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  }
  std::size_t Count() {
    std::lock_guard lock(lock_);
    return entries_.size();
  }
  std::vector<Entry> Between(double fromMs, double toMs) {
    std::lock_guard lock(lock_);
    std::vector<Entry> found;
    for (const Entry& entry : entries_)
      if (entry.atMs >= fromMs && entry.atMs < toMs) found.push_back(entry);
    return found;
  }

private:
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::mutex lock_;
  std::vector<Entry> entries_;
};

// A file rendered by the graph, with taps put between the decoded stream and the renderer as graph building puts
// them.
struct TappedGraph {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  bool tapped = false;  // the renderer is fed by a tap
};

TappedGraph RenderTapped(const std::wstring& file, TXVisualizer& visualizer) {
  TappedGraph result;
  result.graph = NewGraph();
  IGraphBuilder* graph = result.graph.Get();
  if (!graph || !Step(graph->RenderFile(file.c_str(), nullptr), "RenderFile")) return {};
  const ComPtr<IBaseFilter> renderer = FilterByClsid(graph, CLSID_DSoundRender);
  EXPECT_NE(renderer, nullptr) << "no DirectSound renderer";
  if (!renderer) return {};
  const ComPtr<IPin> rendererIn = PinOf(renderer.Get(), PINDIR_INPUT);
  const ComPtr<IPin> decoded = PeerOf(rendererIn.Get());
  if (!Step(graph->Disconnect(decoded.Get()), "disconnecting the decoded stream") ||
      !Step(graph->Disconnect(rendererIn.Get()), "disconnecting the renderer"))
    return {};
  std::vector<ComPtr<IPin>> pins{decoded};
  InsertVisualizerTaps(graph, pins, &visualizer);
  result.tapped = pins[0].Get() != decoded.Get();
  if (!Step(graph->Connect(pins[0].Get(), rendererIn.Get()), "to the renderer") ||
      !Step(result.graph.As(&result.control), "IMediaControl"))
    return {};
  return result;
}

// One tapped graph with its own visualiser, run together.
struct Visualized {
  FrameLog log;
  TXVisualizer visualizer{log};
  TappedGraph playback;
  double runMs = 0;

  explicit Visualized(const std::wstring& file) : playback(RenderTapped(file, visualizer)) {}
  bool Run() {
    visualizer.Start();
    runMs = log.NowMs();
    return SUCCEEDED(playback.control->Run());
  }
  void Stop() {
    visualizer.Stop();
    playback.control->Stop();
  }
  // The frames that came between two times after Run.
  std::vector<FrameLog::Entry> Frames(double fromMs, double toMs) { return log.Between(runMs + fromMs, runMs + toMs); }
};

bool AllEqual(const auto& values, int value) {
  return std::all_of(values.begin(), values.end(), [&](auto v) { return v == value; });
}

int PeakElement(const VisualizationFrame& frame) {
  return static_cast<int>(std::max_element(frame.spectrum.begin(), frame.spectrum.end()) - frame.spectrum.begin());
}

int WaveformSpan(const VisualizationFrame& frame) {
  const auto [low, high] = std::minmax_element(frame.waveLeft.begin(), frame.waveLeft.end());
  return *high - *low;
}

class VisualizerPlayback : public ::testing::Test {
protected:
  ComApartment com_;
};

TEST_F(VisualizerPlayback, ShowsTheTonePlayingAboutThirtyTimesASecond) {
  struct Case {
    const char* what;
    ToneEncoding encoding;
    WORD bitsRead;  // by the tap itself, not after a converter
  };
  const Case cases[] = {{"8-bit", ToneEncoding::kPcm8, 8}, {"16-bit", ToneEncoding::kPcm16, 16},
                        {"float", ToneEncoding::kFloat32, 32}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ToneFile file("norvale-visualizer", {BinHz(40), 2500, 44100, 2, 0.5, c.encoding});
    Visualized tapped(file.Path());
    ASSERT_TRUE(tapped.playback.control);
    ASSERT_TRUE(tapped.playback.tapped);
    EXPECT_EQ(tapped.visualizer.Taps()->Count(), 1u);
    ComPtr<IXPCMAudioInfo> tap;
    ASSERT_EQ(FilterByClsid(tapped.playback.graph.Get(), ToWinGuid(kVisualizerFilterClsid)).As(&tap), S_OK);
    WAVEFORMATEX format{};
    ASSERT_EQ(tap->GetFormat(&format), S_OK);
    EXPECT_EQ(format.wBitsPerSample, c.bitsRead);

    ASSERT_TRUE(tapped.Run());
    Sleep(2000);
    tapped.visualizer.Stop();
    const std::size_t atStop = tapped.log.Count();
    Sleep(200);
    EXPECT_EQ(tapped.log.Count(), atStop) << "a frame after Stop";
    tapped.Stop();

    // The second after the graph has settled.
    const std::vector<FrameLog::Entry> frames = tapped.Frames(700, 1700);
    std::printf("%s: %zu frames in one second\n", c.what, frames.size());
    EXPECT_GE(frames.size(), 20u);
    EXPECT_LE(frames.size(), 36u);
    for (const FrameLog::Entry& entry : frames) {
      ASSERT_EQ(PeakElement(entry.frame), 39) << "at " << entry.atMs - tapped.runMs << " ms";
      EXPECT_NEAR(entry.frame.spectrum[39], kHalfScalePeak, kHalfScalePeak * 0.05);
      EXPECT_EQ(entry.frame.spectrumCopy, entry.frame.spectrum);
      EXPECT_NEAR(WaveformSpan(entry.frame), 128, 4) << "a half-scale sine spans half of the bytes";
    }
  }
}

TEST_F(VisualizerPlayback, SilenceGivesAFlatFrame) {
  const ToneFile file("norvale-visualizer-silence", {440, 1500, 44100, 2, 0.0});
  Visualized tapped(file.Path());
  ASSERT_TRUE(tapped.playback.control);
  ASSERT_TRUE(tapped.playback.tapped);
  ASSERT_TRUE(tapped.Run());
  Sleep(1200);
  tapped.Stop();
  const std::vector<FrameLog::Entry> frames = tapped.Frames(600, 1200);
  EXPECT_GE(frames.size(), 10u);
  for (const FrameLog::Entry& entry : frames) {
    SCOPED_TRACE(testing::Message() << "at " << entry.atMs - tapped.runMs << " ms");
    ASSERT_TRUE(AllEqual(entry.frame.waveLeft, 128) && AllEqual(entry.frame.waveRight, 128));
    ASSERT_TRUE(AllEqual(entry.frame.spectrum, 0));
  }
}

TEST_F(VisualizerPlayback, MakesFramesOfWhatIsWantedOnly) {
  const ToneFile file("norvale-visualizer-wanted", {BinHz(40), 1500, 44100, 2, 0.5});
  Visualized tapped(file.Path());
  ASSERT_TRUE(tapped.playback.control);
  tapped.log.wanted = 0;
  ASSERT_TRUE(tapped.Run());
  Sleep(500);
  EXPECT_EQ(tapped.log.Count(), 0u) << "frames nobody wanted";
  tapped.log.wanted = kWantWaveform;
  Sleep(500);
  tapped.Stop();
  const std::vector<FrameLog::Entry> frames = tapped.Frames(700, 1000);
  EXPECT_GE(frames.size(), 5u);
  for (const FrameLog::Entry& entry : frames) {
    EXPECT_NEAR(WaveformSpan(entry.frame), 128, 4);
    EXPECT_TRUE(AllEqual(entry.frame.spectrum, 0)) << "a spectrum nobody wanted";
  }
}

TEST_F(VisualizerPlayback, ASixChannelStreamIsNotTappedAndStillPlays) {
  const ToneFile file("norvale-visualizer-6ch", {440, 1000, 44100, 6, 0.5});
  Visualized untapped(file.Path());
  ASSERT_TRUE(untapped.playback.control);
  EXPECT_FALSE(untapped.playback.tapped);
  EXPECT_EQ(FilterByClsid(untapped.playback.graph.Get(), ToWinGuid(kVisualizerFilterClsid)), nullptr)
      << "a tap stayed";
  EXPECT_EQ(untapped.visualizer.Taps()->Count(), 0u);

  EventLog events(untapped.playback.graph.Get());
  AudioRecorder recorder("engine-visualizer-6ch");
  recorder.Start();
  ASSERT_TRUE(untapped.Run());
  EXPECT_TRUE(events.WaitFor(EC_COMPLETE, 6000));
  Sleep(kRendererDrainMs);
  untapped.Stop();
  const Recording heard = recorder.Stop();
  const std::vector<Span> tones = TonesHeard(heard);
  ASSERT_EQ(tones.size(), 1u);
  EXPECT_NEAR(tones[0].LengthMs(), 1000, 150);
  EXPECT_NEAR(DominantFrequency(heard, tones[0].startMs + 100, tones[0].endMs - 100), 440, 5);
}

TEST_F(VisualizerPlayback, MixesTheTapsOfTwoGraphsPlayingAtOnceAndShowsNoPausedOne) {
  const ToneFile low("norvale-visualizer-low", {BinHz(20), 3000, 44100, 2, 0.5});
  const ToneFile high("norvale-visualizer-high", {BinHz(60), 3000, 44100, 2, 0.5});
  FrameLog log;
  TXVisualizer visualizer(log);
  const TappedGraph fadingOut = RenderTapped(low.Path(), visualizer);
  const TappedGraph fadingIn = RenderTapped(high.Path(), visualizer);
  ASSERT_TRUE(fadingOut.control && fadingIn.control);
  ASSERT_EQ(visualizer.Taps()->Count(), 2u);

  visualizer.Start();
  const double run = log.NowMs();
  ASSERT_TRUE(SUCCEEDED(fadingOut.control->Run()));
  ASSERT_TRUE(SUCCEEDED(fadingIn.control->Run()));
  Sleep(1200);
  // Paused: as the next item waits pre-rolled before its transition, holding its first block.
  fadingOut.control->Pause();
  const double paused = log.NowMs();
  Sleep(750);
  fadingOut.control->Stop();
  const double stopped = log.NowMs();
  Sleep(750);
  visualizer.Stop();
  fadingIn.control->Stop();

  const std::vector<FrameLog::Entry> both = log.Between(run + 700, run + 1150);
  EXPECT_GE(both.size(), 8u);
  for (const FrameLog::Entry& entry : both) {
    SCOPED_TRACE(testing::Message() << "both playing, at " << entry.atMs - run << " ms");
    EXPECT_NEAR(entry.frame.spectrum[19], kHalfScalePeak / 2, kHalfScalePeak * 0.05);
    EXPECT_NEAR(entry.frame.spectrum[59], kHalfScalePeak / 2, kHalfScalePeak * 0.05);
  }
  for (const auto& [what, from] : {std::pair{"one paused", paused}, std::pair{"one stopped", stopped}}) {
    const std::vector<FrameLog::Entry> one = log.Between(from + 300, from + 700);
    EXPECT_GE(one.size(), 7u) << what;
    for (const FrameLog::Entry& entry : one) {
      SCOPED_TRACE(testing::Message() << what << ", at " << entry.atMs - from << " ms after");
      EXPECT_LE(entry.frame.spectrum[19], 2) << "what is not heard is not shown";
      EXPECT_NEAR(entry.frame.spectrum[59], kHalfScalePeak, kHalfScalePeak * 0.05) << "shown at full scale";
    }
  }
}

}  // namespace
}  // namespace nv::test
