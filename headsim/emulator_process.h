#pragma once
// torvak-headsim as a child process for one run of the program, so that a
// demonstration needs no head: started on a pseudo-terminal of its own and
// ended with this object or, should the program end otherwise, with the
// program (the emulator's --parent).
#include <sys/types.h>

#include <string>

class EmulatorProcess {
 public:
  EmulatorProcess() = default;
  EmulatorProcess(const EmulatorProcess&) = delete;
  EmulatorProcess& operator=(const EmulatorProcess&) = delete;
  ~EmulatorProcess();

  // Starts the emulator at program and waits for the device of its line;
  // false, with Problem() saying why, when it cannot be started or names none.
  bool Start(const std::string& program);
  const std::string& Device() const { return device_; }
  // A German sentence, UTF-8.
  const std::string& Problem() const { return problem_; }
  pid_t Pid() const { return pid_; }

 private:
  bool Fail(const std::string& reason);
  void Stop();

  pid_t pid_ = -1;
  std::string device_;
  std::string problem_;
};
