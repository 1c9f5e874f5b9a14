#pragma once
// torvak-headsim as a process of its own, on a symbolic link in a temporary
// folder, with its frame log ("write D2 reg 0 = 12", "read  D1 reg 5 -> 60",
// "hangup") collected line by line while the event loop runs.
//
// It is started with posix_spawn rather than QProcess: ThreadSanitizer
// takes a fork of the multi-threaded test for a new world and then reports
// Qt's own hand-overs between threads as races.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "tests/scan/qt/wait_for.h"

extern char** environ;

class HeadSim {
 public:
  HeadSim() : link_(dir_.filePath(QStringLiteral("head"))) {}
  ~HeadSim() { Stop(); }
  HeadSim(const HeadSim&) = delete;
  HeadSim& operator=(const HeadSim&) = delete;

  // Starts the emulator (again) on the same link with the given fault
  // options; true once it has linked its device. The log starts afresh.
  bool Start(const QStringList& faults = {}) {
    Stop();
    log_.clear();
    pending_.clear();
    device_.clear();
    if (!Spawn(QStringList{"--link", link_, "--log"} + faults)) return false;
    return WaitFor([&] {
             Drain();
             return !device_.isEmpty();
           }) &&
           QFileInfo(link_).isSymLink();
  }

  // Ends the emulator (SIGTERM: it removes its link) and reaps it.
  void Stop() {
    if (pid_ <= 0) return;
    if (Running()) {
      ::kill(pid_, SIGTERM);
      if (!WaitFor([&] { return !Running(); }, 3000)) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
      }
    }
    pid_ = -1;
    Drain();
    notifier_.reset();
    ::close(output_);
    output_ = -1;
  }

  // False once it has ended (a hang-up ends it); reaps it then.
  bool Running() {
    if (pid_ <= 0 || exited_) return false;
    exited_ = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
    return !exited_;
  }
  const QString& Link() const { return link_; }

  // The frame lines logged since the last Start.
  const QStringList& Log() {
    Drain();
    return log_;
  }
  bool WaitForLogSize(qsizetype lines, int timeoutMs = 10000) {
    return WaitFor([&] { return Log().size() >= lines; }, timeoutMs);
  }
  bool WaitForLine(const QString& line, int timeoutMs = 10000) {
    return WaitFor([&] { return Log().contains(line); }, timeoutMs);
  }

 private:
  bool Spawn(const QStringList& options) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    const QByteArray program = QFile::encodeName(QStringLiteral(TORVAK_HEADSIM));
    std::vector<QByteArray> words{program};
    for (const QString& option : options) words.push_back(option.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int failed = ::posix_spawn(&pid_, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    output_ = pipe[0];
    ::fcntl(output_, F_SETFL, O_NONBLOCK);
    exited_ = false;
    if (failed != 0) {
      pid_ = -1;
      ::close(output_);
      output_ = -1;
      return false;
    }
    // Read as it comes, so that a long log never fills the pipe and holds
    // the emulator up.
    notifier_ = std::make_unique<QSocketNotifier>(output_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
    return true;
  }

  void Drain() {
    char buffer[4096];
    ssize_t count = 0;
    while (output_ >= 0 && (count = ::read(output_, buffer, sizeof buffer)) > 0)
      pending_.append(buffer, count);
    // At the end of its output the pipe stays readable: stop watching it.
    if (count == 0 && notifier_) notifier_->setEnabled(false);
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
      const QString line = QString::fromUtf8(pending_.left(end));
      pending_.remove(0, end + 1);
      // The first line names the device; every later one is a frame.
      if (device_.isEmpty()) {
        device_ = line;
      } else {
        log_ << line;
      }
    }
  }

  QTemporaryDir dir_;
  QString link_;
  pid_t pid_ = -1;
  bool exited_ = false;
  int output_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  QByteArray pending_;
  QString device_;
  QStringList log_;
};

// Log lines as the emulator prints them.
inline QString WriteLine(int address, int reg, int value) {
  return QString::asprintf("write %02X reg %d = %d", address, reg, value);
}
inline QString ReadLine(int address, int reg, int value) {
  return QString::asprintf("read  %02X reg %d -> %d", address, reg, value);
}
