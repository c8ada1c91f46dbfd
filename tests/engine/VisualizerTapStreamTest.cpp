// The visualiser tap's blocks: cut from the passing audio, stamped, queued until heard, dropped after, and the one
// being heard found by the play time.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/VisualizerTapStream.h"

namespace nv {
namespace {

constexpr std::int64_t kDuration = 232199;  // one block at 44100 Hz
const TapLayout kStereo16{TapSampleKind::kSigned16, 2, 4, 44100};

// `frames` 16-bit stereo frames numbered from `first`: left is the frame number, right its negation.
std::vector<std::uint8_t> Frames(int first, int frames) {
  std::vector<std::uint8_t> bytes;
  for (int f = first; f < first + frames; ++f) {
    const auto left = static_cast<std::uint16_t>(f), right = static_cast<std::uint16_t>(-f);
    bytes.insert(bytes.end(), {std::uint8_t(left), std::uint8_t(left >> 8), std::uint8_t(right), std::uint8_t(right >> 8)});
  }
  return bytes;
}

VisualizerTapStream Stream(std::optional<TapLayout> layout = kStereo16) {
  VisualizerTapStream stream;
  stream.SetLayout(layout);
  return stream;
}

TEST(VisualizerTapStream, CutsTheAudioIntoStampedBlocks) {
  VisualizerTapStream stream = Stream();
  stream.NewSegment(5'000'000);
  // Samples split frames anywhere between blocks; a full block waits for the frame after it.
  stream.Consume(Frames(0, 1000), std::nullopt);
  stream.Consume(Frames(1000, 24), std::nullopt);
  EXPECT_EQ(stream.Queue().Count(), 0u);
  stream.Consume(Frames(1024, 1524), std::nullopt);
  ASSERT_EQ(stream.Queue().Count(), 2u);
  for (int b = 0; b < 2; ++b) {
    const VisualizerBlock& block = stream.Queue()[b];
    EXPECT_EQ(block.time, 5'000'000 + b * kDuration);
    EXPECT_EQ(block.left[0], b * 1024);
    EXPECT_EQ(block.right[1023], -(b * 1024 + 1023));
  }
}

TEST(VisualizerTapStream, IgnoresATrailingPartialFrame) {
  VisualizerTapStream stream = Stream();
  std::vector<std::uint8_t> bytes = Frames(0, 1024);
  bytes.push_back(0x7F);  // three bytes of a frame that never completes
  bytes.push_back(0x7F);
  bytes.push_back(0x7F);
  stream.Consume(bytes, std::nullopt);
  stream.Consume(Frames(5000, 1), std::nullopt);
  ASSERT_EQ(stream.Queue().Count(), 1u);
  EXPECT_EQ(stream.Queue()[0].left[1023], 1023);
  stream.Consume(std::vector<std::uint8_t>(3, 0), std::nullopt);  // less than a frame: nothing
}

TEST(VisualizerTapStream, ReadsNothingWithoutAUsableLayout) {
  const TapLayout noFrames{TapSampleKind::kSigned16, 2, 0, 44100};
  for (const std::optional<TapLayout>& layout : {std::optional<TapLayout>(), std::optional(noFrames)}) {
    VisualizerTapStream stream = Stream(layout);
    stream.Consume(Frames(0, 3000), 0);  // must return: a zero frame size never advances
    EXPECT_EQ(stream.Queue().Count(), 0u);
  }
}

TEST(VisualizerTapStream, RestampsALateBlockHalfABlockAhead) {
  VisualizerTapStream stream = Stream();
  stream.NewSegment(0);
  stream.Consume(Frames(0, 1025), 10'000'000);  // the block of time 0 is queued when 1 s is being heard
  ASSERT_EQ(stream.Queue().Count(), 1u);
  EXPECT_EQ(stream.Queue()[0].time, 10'000'000 + kDuration / 2);
  stream.Consume(Frames(1025, 1024), 10'000'000);
  ASSERT_EQ(stream.Queue().Count(), 2u);
  EXPECT_EQ(stream.Queue()[1].time, 10'000'000 + kDuration / 2 + kDuration) << "the next block follows it";
}

TEST(VisualizerTapStream, DropsBlocksMoreThanABlockBehindThePlayTime) {
  VisualizerTapStream stream = Stream();
  stream.NewSegment(0);
  stream.Consume(Frames(0, 4 * 1024 + 1), 0);  // blocks 0..3 at 0, d, 2d, 3d
  ASSERT_EQ(stream.Queue().Count(), 4u);
  // The block of 4d is queued while 2d + 1 is heard: the blocks not later than 2d + 1 − d (0 and d) go.
  stream.Consume(Frames(4 * 1024 + 1, 1024), 2 * kDuration + 1);
  ASSERT_EQ(stream.Queue().Count(), 3u);
  EXPECT_EQ(stream.Queue()[0].time, 2 * kDuration);
  EXPECT_EQ(stream.Queue()[2].time, 4 * kDuration);
}

TEST(VisualizerTapStream, TheCurrentBlockIsTheOneNearestThePlayTime) {
  constexpr std::int64_t kDuration = 1'280'000;  // at 8000 Hz: even, so that a time can lie midway
  VisualizerTapStream stream = Stream(TapLayout{TapSampleKind::kSigned16, 2, 4, 8000});
  stream.NewSegment(1'000'000);
  EXPECT_EQ(stream.CurrentBlock(1'000'000), nullptr) << "nothing queued";
  stream.Consume(Frames(0, 3 * 1024 + 1), std::nullopt);  // blocks at T, T + d, T + 2d
  struct Case {
    const char* what;
    std::int64_t playTime;
    int block;
  };
  const Case cases[] = {
      {"all later: the first", 0, 0},
      {"exactly a block's time", 1'000'000 + kDuration, 1},
      {"nearer the later one", 1'000'000 + kDuration + kDuration / 2 + 1, 2},
      {"midway: the earlier one", 1'000'000 + kDuration / 2, 0},
      {"long after the last: the last", 50'000'000, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const VisualizerBlock* block = stream.CurrentBlock(c.playTime);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->time, 1'000'000 + c.block * kDuration);
  }
}

TEST(VisualizerTapStream, ANewSegmentStartsAfresh) {
  VisualizerTapStream stream = Stream();
  stream.Consume(Frames(0, 1500), std::nullopt);
  stream.NewSegment(30'000'000);  // a seek
  EXPECT_EQ(stream.Queue().Count(), 0u);
  stream.Consume(Frames(7000, 1025), std::nullopt);
  ASSERT_EQ(stream.Queue().Count(), 1u);
  EXPECT_EQ(stream.Queue()[0].time, 30'000'000);
  EXPECT_EQ(stream.Queue()[0].left[0], 7000) << "the frames of the old segment are gone";
}

TEST(VisualizerTapStream, SteadyPlaybackReusesTheBlocksThatPlayedOut) {
  VisualizerTapStream stream = Stream();
  stream.NewSegment(0);
  std::set<const VisualizerBlock*> storage;
  // The play time trails the stream by about four blocks, as a renderer's buffer makes it.
  for (int b = 0; b < 200; ++b) {
    stream.Consume(Frames(b * 1024, 1024), (b - 4) * kDuration);
    for (std::size_t i = 0; i < stream.Queue().Count(); ++i) storage.insert(&stream.Queue()[i]);
  }
  EXPECT_LE(stream.Queue().Count(), 6u);
  EXPECT_LE(storage.size(), 8u) << "a block was allocated for every block";
}

TEST(VisualizerTapStream, HoldsABoundedQueueWhenThePlayTimeIsUnknown) {
  VisualizerTapStream stream = Stream();
  const std::vector<std::uint8_t> block = Frames(0, 1024);
  // Each call queues the block before it: kMaxBlocks + 10 blocks.
  for (std::size_t b = 0; b < TTempBufferQueue::kMaxBlocks + 11; ++b) stream.Consume(block, std::nullopt);
  EXPECT_EQ(stream.Queue().Count(), TTempBufferQueue::kMaxBlocks);
  EXPECT_EQ(stream.Queue()[0].time, 10 * kDuration) << "the oldest made room";
}

}  // namespace
}  // namespace nv
