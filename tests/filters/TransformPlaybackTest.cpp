// Transform filters on the framework, played between a source and Wine's DirectSound renderer on the null sink:
// what is heard, whether the samples pass through without a copy, and many state changes with seeks.
#include <gtest/gtest.h>

#include <random>

#include "filters/FilterConstants.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/filters/FilterTestGraph.h"
#include "tests/filters/TestFilters.h"
#include "tests/filters/TestToneSource.h"

namespace nv::test {
namespace {

// The tones are at half of full scale.
constexpr double kToneDb = -6.02;

struct Heard {
  Recording recording;
  Span tone;
};

// Plays to completion while recording, and returns the one tone that was heard.
Heard PlayToCompletion(const Playback& playback, const std::string& name) {
  EventLog events(playback.graph.Get());
  AudioRecorder recorder(name);
  recorder.Start();
  EXPECT_TRUE(SUCCEEDED(playback.control->Run()));
  EXPECT_TRUE(events.WaitFor(EC_COMPLETE, 10000)) << "no EC_COMPLETE";
  Sleep(kRendererDrainMs);
  playback.control->Stop();
  Heard heard{recorder.Stop(), {}};
  const std::vector<Span> spans = TonesHeard(heard.recording);
  EXPECT_EQ(spans.size(), 1u) << "one continuous tone";
  if (!spans.empty()) heard.tone = spans.front();
  return heard;
}

void ExpectTone(const Heard& heard, double lengthMs, double levelDb) {
  const double from = heard.tone.startMs + 100, to = heard.tone.endMs - 100;
  EXPECT_NEAR(heard.tone.LengthMs(), lengthMs, 100);
  EXPECT_NEAR(DominantFrequency(heard.recording, from, to), 440, 2);
  EXPECT_NEAR(LevelDb(heard.recording, from, to), levelDb, 1.0);
}

class TransformPlayback : public ::testing::Test {
protected:
  ComApartment com_;
};

TEST_F(TransformPlayback, AnInPlaceFilterPassesTheSoundOnUnchangedWithoutCopying) {
  const ToneFile file("norvale-inplace", {440, 1000, 44100, 2, 0.5});
  const ComPtr<TestInPlaceFilter> filter = TestInPlaceFilter::Create();
  const Playback playback = RenderFileThrough(file.Path(), filter->AsBaseFilter());
  ASSERT_TRUE(playback.control);

  ComPtr<IMediaSeeking> upstream;
  ASSERT_EQ(PinOf(filter->AsBaseFilter(), PINDIR_OUTPUT)->QueryInterface(IID_PPV_ARGS(&upstream)), S_OK);
  LONGLONG duration = 0;
  EXPECT_EQ(upstream->GetDuration(&duration), S_OK) << "seeking passes through to the parser";
  EXPECT_NEAR(static_cast<double>(duration), 1000.0 * kUnitsPerMs, kUnitsPerMs);

  ExpectTone(PlayToCompletion(playback, "filters-inplace"), 1000, kToneDb);
  EXPECT_GT(filter->SamplesInPlace(), 0);
  EXPECT_EQ(filter->SamplesCopied(), 0) << "both connections share one allocator";
}

TEST_F(TransformPlayback, ACopyingTransformDeliversWhatItMade) {
  const ToneFile file("norvale-copying", {440, 1000, 44100, 2, 0.5});
  const ComPtr<TestGainTransform> filter = TestGainTransform::Create(0.5);
  const Playback playback = RenderFileThrough(file.Path(), filter->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  ExpectTone(PlayToCompletion(playback, "filters-copying"), 1000, kToneDb - 6.02);
}

TEST_F(TransformPlayback, AnInPlaceFilterCopiesBuffersItMayNotWriteInto) {
  ToneSourceOptions tone;
  tone.readOnlyBuffers = true;
  const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
  const ComPtr<TestInPlaceFilter> filter = TestInPlaceFilter::Create(0.5);
  const Playback playback = RenderSourceThrough(source->AsBaseFilter(), filter->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  ExpectTone(PlayToCompletion(playback, "filters-readonly"), 1000, kToneDb - 6.02);
  EXPECT_GT(filter->SamplesCopied(), 0);
  EXPECT_EQ(filter->SamplesInPlace(), 0) << "the source's read-only buffers were written into";
}

TEST_F(TransformPlayback, ARefusedTypeChangeEndsTheStreamWithAnError) {
  ToneSourceOptions tone;
  tone.typeChangeAtMs = 300;
  const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
  const ComPtr<TestInPlaceFilter> filter = TestInPlaceFilter::Create();  // takes 16-bit samples only
  const Playback playback = RenderSourceThrough(source->AsBaseFilter(), filter->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  ASSERT_TRUE(events.WaitFor(EC_ERRORABORT, 5000));
  EXPECT_EQ(Hr(static_cast<HRESULT>(events.Find(EC_ERRORABORT)->param1)), Hr(VFW_E_TYPE_NOT_ACCEPTED));
  events.Collect(500);
  EXPECT_NE(events.Find(EC_COMPLETE), nullptr) << "end of stream went on to the renderer";
  playback.control->Stop();
}

TEST_F(TransformPlayback, SurvivesFiftyRunStopAndSeekCycles) {
  const ToneFile file("norvale-cycles", {440, 3000});
  const ComPtr<TestInPlaceFilter> filter = TestInPlaceFilter::Create();
  const Playback playback = RenderFileThrough(file.Path(), filter->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());

  const Watchdog watchdog("50 run/stop/seek cycles", 120'000);
  std::mt19937 random(7);
  for (int cycle = 0; cycle < 50; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
    Sleep(random() % 80);
    LONGLONG position = static_cast<LONGLONG>(random() % 2500) * kUnitsPerMs;
    ASSERT_TRUE(SUCCEEDED(
        playback.seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)));
    Sleep(random() % 40);
    if (cycle % 3 == 0) {
      ASSERT_TRUE(SUCCEEDED(playback.control->Pause()));
    }
    ASSERT_EQ(playback.control->Stop(), S_OK);
  }

  // And it still plays to the end.
  LONGLONG position = 2500 * kUnitsPerMs;
  ASSERT_TRUE(SUCCEEDED(
      playback.seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)));
  const double started = events.NowMs();
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  EXPECT_TRUE(events.WaitFor(EC_COMPLETE, 5000));
  EXPECT_LT(events.NowMs() - started, 2000) << "the last half second";
  playback.control->Stop();
  EXPECT_GT(filter->SamplesInPlace(), 0);
  EXPECT_EQ(filter->SamplesCopied(), 0);
}

}  // namespace
}  // namespace nv::test
