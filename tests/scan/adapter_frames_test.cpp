#include "scan/adapter_frames.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/scan_fakes.h"

using namespace scan_fakes;

namespace {

TEST(AdapterFrames, WritesSendFiveBytesAndAwaitOneReplyWithoutWaitingAndTellWhenItDidNotCome) {
  Timeline timeline;
  FakeLink link(&timeline);
  link.fallback = 0x99;
  link.NoAnswer();
  EXPECT_FALSE(WriteServoPosition(&link, kTiltModule, 16));
  EXPECT_TRUE(WriteServoPosition(nullptr, kTiltModule, 16)) << "no port: nothing outstanding";
  WriteServoPosition(&link, kPanModule, 256 + 30);  // value taken in 8 bits
  WriteServoPosition(&link, 7, -1);                 // any module but 1 is 0xD2
  WriteServoRange(&link, kTiltModule, 20);
  WriteServoRange(&link, kPanModule, 20);
  EXPECT_TRUE(WriteServoRange(&link, kPanModule, 20));
  EXPECT_EQ(timeline, (Timeline{"send 55 D0 00 01 10", "read", "send 55 D2 00 01 1E", "read",
                                "send 55 D2 00 01 FF", "read", "send 55 D0 01 01 14", "read",
                                "send 55 D2 01 01 14", "read", "send 55 D2 01 01 14", "read"}));
}

TEST(AdapterFrames, ReadSendsFourBytesThenReadsBetweenTwoOneMillisecondWaitsStampedWhenTheAnswerCame) {
  Timeline timeline;
  FakeLink link(&timeline);
  VirtualClock clock(&timeline);
  link.Answer(37);
  link.Answer(255);
  ReadOutcome outcome{true, true, 0.0};
  EXPECT_EQ(ReadRegister(&link, clock, kTiltModule, 5, &outcome), 37);
  EXPECT_FALSE(outcome.substituted || outcome.timedOut);
  EXPECT_EQ(outcome.seconds, 0.001);
  EXPECT_EQ(ReadRegister(&link, clock, 0, kAmbientRegister, &outcome), 255);
  EXPECT_EQ(outcome.seconds, 0.003);
  EXPECT_EQ(timeline, (Timeline{"send 55 D1 05 01", "wait 1", "read", "wait 1",  //
                                "send 55 D3 01 01", "wait 1", "read", "wait 1"}));
}

TEST(AdapterFrames, ZeroMissingAnswerOrNoPortGiveSubstitutesSpanningTheirWholeRange) {
  FakeLink link;
  VirtualClock clock;
  link.Answer(0);
  link.NoAnswer();
  std::srand(11);
  ReadOutcome outcome;
  const int first = ReadRegister(&link, clock, kPanModule, 2, &outcome);
  EXPECT_TRUE(outcome.substituted && !outcome.timedOut) << "a 0 byte is an answer";
  ReadRegister(&link, clock, kPanModule, 3, &outcome);
  EXPECT_TRUE(outcome.substituted && outcome.timedOut);
  std::srand(11);
  EXPECT_EQ(ReadRegister(nullptr, clock, kTiltModule, 9, &outcome), first) << "the same random sequence";
  EXPECT_TRUE(outcome.substituted && !outcome.timedOut) << "no port: no answer outstanding";
  EXPECT_EQ(link.reads, 2);
  EXPECT_EQ(clock.waits, std::vector<int>(6, 1)) << "both waits also without a port";

  std::vector<int> seen(256, 0);
  for (int i = 0; i < 5000; ++i) ++seen[ReadRegister(nullptr, clock, kPanModule, 2)];
  for (int celsius = 0; celsius < 256; ++celsius) {
    const bool inRange = celsius >= kLowestSubstitute && celsius <= kHighestSubstitute;
    EXPECT_EQ(seen[celsius] > 0, inRange) << celsius;
  }
}

}  // namespace
