#pragma once
// torvak-headsim as a process of its own, on a symbolic link in a temporary
// folder, its log ("write D2 reg 0 = 12", "read  D1 reg 5 -> 60",
// "skipped 2 bytes", "hangup") written to a file beside the link.
//
// It is started with posix_spawn rather than QProcess: ThreadSanitizer
// takes a fork of the multi-threaded test for a new world and then reports
// Qt's own hand-overs between threads as races.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "tests/scan/qt/wait_for.h"

extern char** environ;

class HeadSim {
 public:
  HeadSim() = default;
  ~HeadSim() { Stop(); }
  HeadSim(const HeadSim&) = delete;
  HeadSim& operator=(const HeadSim&) = delete;

  // Starts the emulator (again) on the same link with the given fault
  // options; true once it has linked its device. The log starts afresh.
  bool Start(const QStringList& faults = {}) {
    Stop();
    const QByteArray program = QFile::encodeName(QStringLiteral(TORVAK_HEADSIM));
    const QByteArray logPath = QFile::encodeName(dir_.filePath(QStringLiteral("log")));
    std::vector<QByteArray> words{program, "--link", QFile::encodeName(Link()), "--log"};
    for (const QString& fault : faults) words.push_back(fault.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (::posix_spawn(&pid_, program.constData(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    // Its first line names the device, once linked.
    return pid_ > 0 && WaitFor([&] { return !Lines().isEmpty(); });
  }

  QString Link() const { return dir_.filePath(QStringLiteral("head")); }
  // The lines logged since the last Start, after the device's name.
  QStringList Log() const { return Lines().mid(1); }

 private:
  // The emulator's complete lines; none before it has opened its log.
  QStringList Lines() const {
    QFile file(dir_.filePath(QStringLiteral("log")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeLast();  // after the last newline: nothing, or a line being written
    return lines;
  }

  // A hang-up has already ended it; it is reaped all the same.
  void Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    QFile::remove(dir_.filePath(QStringLiteral("log")));
  }

  QTemporaryDir dir_;
  pid_t pid_ = -1;
};
