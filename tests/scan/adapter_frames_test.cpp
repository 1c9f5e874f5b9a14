#include "scan/adapter_frames.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/scan/scan_fakes.h"

using namespace scan_fakes;

namespace {

int ExpectedSubstitute(int r) { return (r % 256) / 2 + 20; }

TEST(AdapterFrames, WritesSendFiveBytesAndReadOneReplyWithoutWaiting) {
  Timeline timeline;
  FakeLink link(&timeline);
  link.fallback = 0x99;
  WriteServoPosition(&link, kTiltModule, 16);
  WriteServoPosition(&link, kPanModule, 256 + 30);  // value taken in 8 bits
  WriteServoPosition(&link, 7, -1);                 // any module but 1 is 0xD2
  WriteServoRange(&link, kTiltModule, 20);
  WriteServoRange(&link, kPanModule, 20);
  EXPECT_EQ(timeline, (Timeline{"send 55 D0 00 01 10", "read", "send 55 D2 00 01 1E", "read",
                                "send 55 D2 00 01 FF", "read", "send 55 D0 01 01 14", "read",
                                "send 55 D2 01 01 14", "read"}));
}

TEST(AdapterFrames, ReadSendsFourBytesThenReadsBetweenTwoOneMillisecondWaits) {
  Timeline timeline;
  FakeLink link(&timeline);
  VirtualClock clock(&timeline);
  link.Answer(37);
  link.Answer(255);
  bool substituted = true;
  EXPECT_EQ(ReadRegister(&link, clock, kTiltModule, 5, &substituted), 37);
  EXPECT_FALSE(substituted);
  EXPECT_EQ(ReadRegister(&link, clock, 0, kAmbientRegister, &substituted), 255);
  EXPECT_FALSE(substituted);
  EXPECT_EQ(timeline, (Timeline{"send 55 D1 05 01", "wait 1", "read", "wait 1",  //
                                "send 55 D3 01 01", "wait 1", "read", "wait 1"}));
}

TEST(AdapterFrames, ZeroOrMissingAnswerGivesNextRandomSubstitute) {
  FakeLink link;
  VirtualClock clock;
  link.Answer(0);
  link.NoAnswer();
  link.Answer(0);
  std::srand(11);
  std::vector<int> expected;
  for (int i = 0; i < 3; ++i) expected.push_back(ExpectedSubstitute(std::rand()));
  std::srand(11);
  for (int i = 0; i < 3; ++i) {
    bool substituted = false;
    EXPECT_EQ(ReadRegister(&link, clock, kPanModule, 2 + i, &substituted), expected[i]) << i;
    EXPECT_TRUE(substituted);
  }
  EXPECT_EQ(link.reads, 3);
}

TEST(AdapterFrames, WithoutPortWritesDoNothingAndReadsAreSubstitutesAfterBothWaits) {
  VirtualClock clock;
  WriteServoPosition(nullptr, kPanModule, 3);
  WriteServoRange(nullptr, kTiltModule, 20);
  std::srand(5);
  const int expected = ExpectedSubstitute(std::rand());
  std::srand(5);
  EXPECT_EQ(ReadRegister(nullptr, clock, kTiltModule, 9), expected);
  EXPECT_EQ(clock.waits, (std::vector<int>{1, 1}));
}

}  // namespace
