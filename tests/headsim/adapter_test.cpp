#include "headsim/adapter.h"

#include <gtest/gtest.h>

#include <vector>

#include "headsim/scene.h"

namespace {

using headsim::EmulatedAdapter;
using headsim::Frame;

// Feeds the bytes and collects the completed frames.
std::vector<Frame> FeedAll(EmulatedAdapter& adapter, std::vector<std::uint8_t> bytes) {
  std::vector<Frame> frames;
  for (std::uint8_t b : bytes) {
    Frame frame;
    if (adapter.Feed(b, &frame)) {
      frames.push_back(frame);
    }
  }
  return frames;
}

TEST(EmulatedAdapter, ServoWritesMoveTheHeadAndGetOneReplyEach) {
  EmulatedAdapter adapter;
  auto frames = FeedAll(adapter, {0x55, 0xD2, 0x00, 0x01, 7, 0x55, 0xD0, 0x00, 0x01, 18, 0x55, 0xD2, 0x01, 0x01, 20});
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(adapter.PanPosition(), 7);
  EXPECT_EQ(adapter.TiltPosition(), 18);
  EXPECT_EQ(adapter.ServoRange(0xD2), 20);
  EXPECT_EQ(adapter.ServoRange(0xD0), 0);
}

TEST(EmulatedAdapter, PixelReadsAnswerWhatTheSceneShowsAtTheHeadsPosition) {
  EmulatedAdapter adapter;
  // Pan 12, tilt offset 0: register 5 of the tilt module sees cell (12, 12).
  auto frames = FeedAll(adapter, {0x55, 0xD2, 0x00, 0x01, 12, 0x55, 0xD0, 0x00, 0x01, 16,
                                  0x55, 0xD1, 5, 0x01, 0x55, 0xD3, 2, 0x01, 0x55, 0xD1, 1, 0x01});
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[2].reply, headsim::ExpectedReading(12, 12));
  EXPECT_EQ(frames[3].reply, headsim::ExpectedReading(43, 0));
  EXPECT_EQ(frames[4].reply, headsim::kAmbientCelsius);
}

TEST(EmulatedAdapter, NoiseIsSkippedUntilTheNextCommandByte) {
  EmulatedAdapter adapter;
  auto frames = FeedAll(adapter, {0x00, 0x13, 0x55, 0x42, 0x55, 0xD2, 0x00, 0x01, 3});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_FALSE(frames[0].read);
  EXPECT_EQ(adapter.PanPosition(), 3);
}

TEST(Scene, HoldsAWarmMugAHotSpotAndAColdSpotInARoom) {
  using namespace headsim;
  EXPECT_EQ(ExpectedReading(0, 31), kRoomCelsius);
  EXPECT_GE(ExpectedReading(kMug.column, kMug.row), 35);
  EXPECT_LE(ExpectedReading(kMug.column, kMug.row), 60);
  EXPECT_GT(ExpectedReading(kHotSpot.column, kHotSpot.row), 160);
  EXPECT_LT(ExpectedReading(kColdSpot.column, kColdSpot.row), 10);
  EXPECT_GT(ExpectedReading(kColdSpot.column, kColdSpot.row), 0);  // 0 would read as "no answer"
}

TEST(Scene, ParkedTiltLooksAtTheNearestScanRow) {
  using namespace headsim;
  EXPECT_EQ(PixelReading(0xD0, 12, 15, 5), ExpectedReading(12, 12));
  EXPECT_EQ(PixelReading(0xD2, 40, 19, 9), ExpectedReading(61, 31));
}

}  // namespace
