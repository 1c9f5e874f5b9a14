#include "headsim/emulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

namespace {

// The emulator prints its device at once; a start slower than this is a fault.
constexpr int kDeviceWaitMs = 10000;
// The emulator ends within one of its 100 ms polls after SIGTERM; one that
// takes longer than this is hung and gets SIGKILL.
constexpr int kTermWaitMs = 1000;

// The first line the emulator prints, without its newline; empty if the
// output ends or stays silent before one is complete.
std::string ReadFirstLine(int output) {
  std::string line;
  char c = 0;
  pollfd waiting{output, POLLIN, 0};
  while (poll(&waiting, 1, kDeviceWaitMs) > 0 && read(output, &c, 1) == 1) {
    if (c == '\n') return line;
    line += c;
  }
  return {};
}

}  // namespace

EmulatorProcess::~EmulatorProcess() { Stop(); }

bool EmulatorProcess::Start(const std::string& program) {
  Stop();
  device_.clear();
  fault_ = Fault::kNone;
  detail_.clear();
  if (access(program.c_str(), X_OK) != 0) return Fail(Fault::kMissing, std::strerror(errno));
  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) return Fail(Fault::kNotStarted, std::strerror(errno));
  std::string parent = std::to_string(getpid());
  std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>("--parent"), parent.data(),
                          nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  if (spawned != 0) {
    pid_ = -1;
    close(output[0]);
    return Fail(Fault::kNotStarted, std::strerror(spawned));
  }
  // Through syscall: this C library's header declares pidfd_open without C linkage.
  // -1 on a kernel without it: no notice then, and Stop still ends the emulator.
  ended_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  device_ = ReadFirstLine(output[0]);
  close(output[0]);  // without --log it prints nothing more
  if (device_.empty()) {
    Stop();
    return Fail(Fault::kNoLine);
  }
  return true;
}

bool EmulatorProcess::Fail(Fault fault, const std::string& detail) {
  fault_ = fault;
  detail_ = detail;
  return false;
}

bool EmulatorProcess::Reap() {
  if (pid_ <= 0 || waitpid(pid_, nullptr, WNOHANG) != pid_) return false;
  Forget();
  return true;
}

void EmulatorProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  pollfd ending{ended_, POLLIN, 0};
  if (poll(&ending, 1, kTermWaitMs) != 1) kill(pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
  Forget();
}

void EmulatorProcess::Forget() {
  if (ended_ >= 0) close(ended_);
  ended_ = -1;
  pid_ = -1;
}
