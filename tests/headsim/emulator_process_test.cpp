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
#include <fstream>
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
  const bool reaped = ReapedWithin5s(emulator);
  EXPECT_TRUE(reaped) << "the emulator outlived the program";
  if (!reaped) {  // a reaped pid may already belong to another process
    kill(emulator, SIGKILL);
    waitpid(emulator, nullptr, 0);
  }
  prctl(PR_SET_CHILD_SUBREAPER, 0);
}

TEST(EmulatorProcess, AKilledEmulatorIsCollectedOnNoticeInsteadOfLingeringAsAZombie) {
  EmulatorProcess emulator;
  ASSERT_TRUE(emulator.Start(TORVAK_HEADSIM)) << emulator.Detail();
  const pid_t pid = emulator.Pid();
  EXPECT_FALSE(emulator.Reap()) << "a running emulator is no zombie";
  ASSERT_EQ(kill(pid, SIGKILL), 0);
  pollfd ended{emulator.EndNotice(), POLLIN, 0};
  ASSERT_EQ(poll(&ended, 1, 5000), 1) << "its end went unnoticed";
  EXPECT_TRUE(emulator.Reap());
  EXPECT_EQ(emulator.Pid(), -1);
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1) << "still waiting to be collected";
}

TEST(EmulatorProcess, AnEmulatorThatIgnoresTerminationIsKilledInsteadOfWaitedForWithoutEnd) {
  const std::filesystem::path script =
      std::filesystem::temp_directory_path() / ("torvak-stubborn-" + std::to_string(getpid()));
  std::ofstream(script) << "#!/bin/sh\ntrap '' TERM\necho /dev/null\nexec sleep 60\n";
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  pid_t pid = -1;
  const auto before = std::chrono::steady_clock::now();
  {
    EmulatorProcess emulator;
    ASSERT_TRUE(emulator.Start(script.string())) << emulator.Detail();
    pid = emulator.Pid();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(20));
  EXPECT_EQ(kill(pid, 0), -1) << "still running after its owner was destroyed";
  std::filesystem::remove(script);
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
