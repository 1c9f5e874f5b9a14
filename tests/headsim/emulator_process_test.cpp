// torvak --demo relies on the emulator it starts: a line that answers, an
// emulator that ends with the program however the program ends, and a plain
// reason when it cannot start.
#include "headsim/emulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/frames.h"

namespace {

// True once the child pid has ended and been reaped here, within five seconds.
bool ReapedWithin5s(pid_t pid) {
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(EmulatorProcess, ItsLineAnswersAFrameAndItEndsWithItsOwner) {
  pid_t pid = -1;
  {
    EmulatorProcess emulator;
    ASSERT_TRUE(emulator.Start(TORVAK_HEADSIM)) << emulator.Detail();
    pid = emulator.Pid();
    const int line = open(emulator.Device().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0) << emulator.Device();
    ASSERT_EQ(write(line, kAmbientRead.data(), kAmbientRead.size()), 4);
    pollfd waiting{line, POLLIN, 0};
    std::uint8_t reply = 0;
    EXPECT_TRUE(poll(&waiting, 1, 5000) == 1 && read(line, &reply, 1) == 1);
    close(line);
  }
  EXPECT_EQ(kill(pid, 0), -1) << "still running after its owner was destroyed";
}

TEST(EmulatorProcess, EndsWhenTheProgramThatStartedItEndsWithoutCleaningUp) {
  // The emulator's parent is a child of this test that exits at once; the
  // orphaned emulator comes to this process, which can then reap it.
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  const pid_t program = fork();
  if (program == 0) {
    EmulatorProcess emulator;
    const pid_t started = emulator.Start(TORVAK_HEADSIM) ? emulator.Pid() : -1;
    (void)!write(report[1], &started, sizeof started);
    _exit(0);  // no destructor runs
  }
  pid_t emulator = -1;
  ASSERT_EQ(read(report[0], &emulator, sizeof emulator), static_cast<ssize_t>(sizeof emulator));
  close(report[0]);
  close(report[1]);
  ASSERT_GT(emulator, 0);
  ASSERT_TRUE(ReapedWithin5s(program));
  EXPECT_TRUE(ReapedWithin5s(emulator)) << "the emulator outlived the program";
  kill(emulator, SIGKILL);
  prctl(PR_SET_CHILD_SUBREAPER, 0);
}

// The descriptors this process has open.
int OpenDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator{}));
}

TEST(EmulatorProcess, AMissingOrSilentEmulatorIsToldApartAndLeavesNothingOpen) {
  const int openBefore = OpenDescriptors();
  EmulatorProcess emulator;
  EXPECT_FALSE(emulator.Start("/nicht/da/torvak-headsim"));
  EXPECT_EQ(emulator.Failure(), EmulatorProcess::Fault::kMissing);
  EXPECT_FALSE(emulator.Detail().empty());
  EXPECT_FALSE(emulator.Start("/bin/true"));
  EXPECT_EQ(emulator.Failure(), EmulatorProcess::Fault::kNoLine);
  EXPECT_EQ(emulator.Pid(), -1);
  EXPECT_EQ(OpenDescriptors(), openBefore);
}

}  // namespace
