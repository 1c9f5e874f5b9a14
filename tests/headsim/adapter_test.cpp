// The end-to-end tests take a log without "skipped" for a line that carried
// only whole frames: that holds only if the emulator counts every byte
// outside a frame, and it must answer the next frame all the same.
#include "headsim/adapter.h"

#include <gtest/gtest.h>

#include <vector>

TEST(EmulatedAdapter, CountsBytesOutsideFramesAndStillAnswersTheNext) {
  headsim::EmulatedAdapter adapter;
  std::vector<int> replies;
  // Two bytes before a command, a command without a module address, a servo write.
  for (const int byte : {0x00, 0x13, 0x55, 0x42, 0x55, 0xD2, 0, 1, 3}) {
    headsim::Frame frame;
    if (adapter.Feed(static_cast<std::uint8_t>(byte), &frame)) replies.push_back(frame.reply);
  }
  EXPECT_EQ(replies, std::vector<int>{1});
  EXPECT_EQ(adapter.SkippedBytes(), 4);
}
