#pragma once
// torvak-headsim as a child process for one run of the program, so that a
// demonstration needs no head: started on a pseudo-terminal of its own and
// ended with this object or, should the program end otherwise, with the
// program (the emulator's --parent).
#include <sys/types.h>

#include <string>

class EmulatorProcess {
 public:
  enum class Fault {
    kNone,
    kMissing,     // no program to run at that path; Detail(): the system's reason
    kNotStarted,  // Detail(): the system's reason
    kNoLine,      // it started but named no device
  };

  EmulatorProcess() = default;
  EmulatorProcess(const EmulatorProcess&) = delete;
  EmulatorProcess& operator=(const EmulatorProcess&) = delete;
  ~EmulatorProcess();

  // Starts the emulator at program and waits for the device of its line;
  // false, with Failure() saying why, when it cannot be started or names none.
  bool Start(const std::string& program);
  const std::string& Device() const { return device_; }
  Fault Failure() const { return fault_; }
  const std::string& Detail() const { return detail_; }
  pid_t Pid() const { return pid_; }
  // A descriptor that turns readable once the running emulator has ended
  // (killed, say, which loses the line); -1 when none runs or the system
  // cannot tell.
  int EndNotice() const { return ended_; }
  // Collects an emulator that has ended, so it lingers on as no zombie;
  // true if it had ended.
  bool Reap();

 private:
  bool Fail(Fault fault, const std::string& detail = {});
  // Asks the emulator to end, kills it if it has not within a second, and
  // collects it.
  void Stop();
  void Forget();

  pid_t pid_ = -1;
  int ended_ = -1;
  std::string device_;
  Fault fault_ = Fault::kNone;
  std::string detail_;
};
