// The source framework playing a test tone into Wine's DirectSound renderer on the null sink: real-time playback
// to completion, the end of the data and read errors, the waiting worker, seeks and stops.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "filters/FilterConstants.h"
#include "filters/win/XPCMAudioInfoFilter.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/filters/FilterTestGraph.h"
#include "tests/filters/TestToneSource.h"

namespace nv::test {
namespace {

class SourcePlayback : public ::testing::Test {
protected:
  ComApartment com_;
};

// Waits up to `timeoutMs` for a condition polled every 10 ms.
template <class Condition>
bool Eventually(Condition condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(10);
  }
  return true;
}

void SeekSource(TestToneSource& source, int ms) {
  LONGLONG position = static_cast<LONGLONG>(ms) * kUnitsPerMs;
  ASSERT_EQ(source.SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning), S_OK);
}

TEST_F(SourcePlayback, PlaysToCompletionInRealTime) {
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  const Playback playback = RenderSourceThrough(source->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  AudioRecorder recorder("filters-source");
  recorder.Start();

  const double started = events.NowMs();
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  ASSERT_TRUE(events.WaitFor(EC_COMPLETE, 5000));
  const double completedAfter = events.Find(EC_COMPLETE)->atMs - started;
  std::printf("EC_COMPLETE %.0f ms after Run for a 1000 ms tone\n", completedAfter);
  // Wine's renderer completes when the end of stream reaches it, with its buffer still to play.
  EXPECT_GT(completedAfter, 300) << "faster than real time";
  EXPECT_LT(completedAfter, 1500) << "slower than real time";
  Sleep(kRendererDrainMs);
  EXPECT_EQ(source->EndsOfStream(), 1);
  EXPECT_TRUE(source->HasWorker()) << "the worker waits at the end of the data";
  playback.control->Stop();
  EXPECT_FALSE(source->HasWorker());

  const Recording heard = recorder.Stop();
  const std::vector<Span> spans = TonesHeard(heard);
  ASSERT_EQ(spans.size(), 1u) << "one continuous tone";
  EXPECT_NEAR(spans[0].LengthMs(), 1000, 100);
  EXPECT_NEAR(DominantFrequency(heard, spans[0].startMs + 100, spans[0].endMs - 100), 440, 2);
  EXPECT_NEAR(LevelDb(heard, spans[0].startMs + 100, spans[0].endMs - 100), -6.02, 1.0);
}

TEST_F(SourcePlayback, AReadErrorEndsTheStreamWithEcErrorAbortAndItsCode) {
  ToneSourceOptions tone;
  tone.failWith = HRESULT_FROM_WIN32(ERROR_CRC);
  tone.failAtMs = 400;
  const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
  const Playback playback = RenderSourceThrough(source->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  AudioRecorder recorder("filters-source-error");
  recorder.Start();

  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  ASSERT_TRUE(events.WaitFor(EC_ERRORABORT, 5000));
  EXPECT_EQ(Hr(static_cast<HRESULT>(events.Find(EC_ERRORABORT)->param1)), Hr(tone.failWith));
  Sleep(kRendererDrainMs);
  EXPECT_EQ(source->EndsOfStream(), 1) << "end of stream before the error";
  playback.control->Stop();

  const std::vector<Span> spans = TonesHeard(recorder.Stop());
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_NEAR(spans[0].LengthMs(), 400, 100) << "the tone up to the error";
}

TEST_F(SourcePlayback, AnEarlierSeekDoesNotWakeTheWorkerAtTheEndOfTheData) {
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  const Playback playback = RenderSourceThrough(source->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  Sleep(200);
  SeekSource(*source.Get(), 500);
  ASSERT_TRUE(events.WaitFor(EC_COMPLETE, 5000));
  Sleep(300);
  const int fills = source->Fills();
  Sleep(200);
  EXPECT_EQ(source->EndsOfStream(), 1) << "end of stream delivered again";
  EXPECT_EQ(source->Fills(), fills) << "the worker does not wait at the end";
  playback.control->Stop();
}

// The worker has found the end of the data and is about to say so when a seek comes: its end of stream must not
// end the segment the seek starts.
TEST_F(SourcePlayback, ASeekAsTheDataEndsPlaysTheNewSegmentWhole) {
  ToneSourceOptions tone;
  tone.durationMs = 1000;
  ComPtr<TestToneSource> source;
  std::thread seeker;
  std::atomic<bool> sought{false};
  tone.beforeEndOfStream = [&] {
    seeker = std::thread([&] {
      const ComApartment apartment;
      SeekSource(*source.Get(), 0);
      sought = true;
    });
    // Long enough for the seek to end, unless it waits for this end of stream (which it then lets go of).
    Eventually([&] { return sought.load(); }, 300);
  };
  source = TestToneSource::Create(tone);
  const ComPtr<TXPCMAudioInfoFilter> info(new TXPCMAudioInfoFilter(L"PCM info", GUID_NULL, nullptr));
  const Playback playback = RenderSourceThrough(source->AsBaseFilter(), info->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  int fillsAtEnd = 0;
  const bool ended = events.WaitFor(kEcEndOfData, 6000, [&](const GraphEvent& event) {
    if (event.code == kEcEndOfData) fillsAtEnd = source->Fills();
  });
  if (seeker.joinable()) seeker.join();
  ASSERT_TRUE(ended);
  ASSERT_TRUE(sought);
  // 50 ms a sample: 20 for the tone, 20 for it again after the seek.
  EXPECT_GE(fillsAtEnd, 40) << "the end of the old segment ended the new one";
  playback.control->Stop();
}

TEST_F(SourcePlayback, EmptyDataEndsAtOnceAndASeekPlaysAgain) {
  ToneSourceOptions tone;
  tone.durationMs = 600;
  const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
  const Playback playback = RenderSourceThrough(source->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  SeekSource(*source.Get(), 600);  // at the end before it starts
  EventLog events(playback.graph.Get());
  AudioRecorder recorder("filters-source-empty");
  recorder.Start();

  const double started = events.NowMs();
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  ASSERT_TRUE(events.WaitFor(EC_COMPLETE, 5000));
  EXPECT_LT(events.Find(EC_COMPLETE)->atMs - started, 300) << "no data: the stream ends at once";
  EXPECT_EQ(source->Fills(), 1);
  EXPECT_EQ(source->EndsOfStream(), 1);

  SeekSource(*source.Get(), 0);
  EXPECT_TRUE(Eventually([&] { return source->EndsOfStream() == 2; }, 3000)) << "the seek sent the worker on";
  Sleep(kRendererDrainMs);
  playback.control->Stop();
  const std::vector<Span> spans = TonesHeard(recorder.Stop());
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_NEAR(spans[0].LengthMs(), 600, 100);
}

TEST_F(SourcePlayback, StoppingAWaitingWorkerReturnsAtOnce) {
  ToneSourceOptions tone;
  tone.durationMs = 200;
  const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
  const Playback playback = RenderSourceThrough(source->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  EventLog events(playback.graph.Get());
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  ASSERT_TRUE(events.WaitFor(EC_COMPLETE, 5000));
  Sleep(kRendererDrainMs);
  ASSERT_TRUE(source->HasWorker());

  const double before = events.NowMs();
  {
    const Watchdog watchdog("stopping a waiting worker", 10'000);
    EXPECT_EQ(playback.control->Stop(), S_OK);
  }
  EXPECT_LT(events.NowMs() - before, 500);
  EXPECT_FALSE(source->HasWorker());
}

TEST_F(SourcePlayback, AFailingDecommitStillStopsTheWorker) {
  ToneSourceOptions tone;
  tone.failingDecommit = true;
  const ComPtr<TestToneSource> source = TestToneSource::Create(tone);
  const Playback playback = RenderSourceThrough(source->AsBaseFilter());
  ASSERT_TRUE(playback.control);
  ASSERT_TRUE(SUCCEEDED(playback.control->Run()));
  Sleep(200);
  ASSERT_TRUE(source->HasWorker());

  playback.control->Stop();
  EXPECT_EQ(source->State(), State_Stopped);
  EXPECT_FALSE(source->HasWorker()) << "the worker outlived the stop";
  EXPECT_EQ(Hr(source->Stop()), Hr(S_OK)) << "already stopped";
}

}  // namespace
}  // namespace nv::test
