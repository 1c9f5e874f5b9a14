// The emulator's side of the contract the end-to-end tests rely on: which
// cell a pixel read answers for, the bytes it counts as outside any frame,
// and readings that no substitute of the program can take.
#include "headsim/adapter.h"

#include <gtest/gtest.h>

#include <vector>

#include "headsim/scene.h"
#include "scan/adapter_frames.h"

namespace {

using headsim::EmulatedAdapter;
using headsim::ExpectedReading;

// Feeds the bytes and collects the replies of the completed frames.
std::vector<int> Replies(EmulatedAdapter& adapter, const std::vector<std::uint8_t>& bytes) {
  std::vector<int> replies;
  for (std::uint8_t b : bytes) {
    headsim::Frame frame;
    if (adapter.Feed(b, &frame)) replies.push_back(frame.reply);
  }
  return replies;
}

TEST(EmulatedAdapter, PixelReadsAnswerTheCellTheServosPointAt) {
  EmulatedAdapter adapter;
  // Pan 12, tilt 17 (offset 1): register 5 of the tilt module (read 0xD1)
  // sees row 13 of column 12, register 2 of the pan module (0xD3) row 1 of
  // column 43; register 1 is the ambient sensor.
  EXPECT_EQ(Replies(adapter, {0x55, 0xD2, 0, 1, 12, 0x55, 0xD0, 0, 1, 17, 0x55, 0xD1, 5, 1, 0x55, 0xD3, 2, 1,
                              0x55, 0xD1, 1, 1}),
            (std::vector<int>{1, 1, ExpectedReading(12, 13), ExpectedReading(43, 1), headsim::kAmbientCelsius}));
}

TEST(EmulatedAdapter, BytesOutsideFramesAreCountedAndTheNextFrameStillAnswers) {
  EmulatedAdapter adapter;
  // Two bytes before a command, a command followed by no module address.
  EXPECT_EQ(Replies(adapter, {0x00, 0x13, 0x55, 0x42, 0x55, 0xD2, 0, 1, 3}), std::vector<int>{1});
  EXPECT_EQ(adapter.SkippedBytes(), 4);
}

// The program replaces a missing answer, and a 0, by a substitute: the
// end-to-end tests tell real answers by readings outside its range.
TEST(Scene, AmbientHotSpotAndColdSpotReadWhatNoSubstituteCan) {
  using namespace headsim;
  for (const int celsius : {kAmbientCelsius, ExpectedReading(kHotSpot.column, kHotSpot.row),
                            ExpectedReading(kColdSpot.column, kColdSpot.row)}) {
    EXPECT_TRUE(celsius > 0 && (celsius < kLowestSubstitute || celsius > kHighestSubstitute)) << celsius;
  }
}

}  // namespace
