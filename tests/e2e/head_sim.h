#pragma once
// torvak-headsim as a process of its own on a link in a temporary folder
// that Torvak knows as "Com 1", its log written to a file beside the link.
// posix_spawn, not QProcess: ThreadSanitizer takes a fork of the threaded
// test for a new world and then reports Qt's own hand-overs as races.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "ui/status_text.h"
#include "tests/support/wait_for.h"
#include "tests/support/scan_fakes.h"

extern char** environ;

class HeadSim {
 public:
  ~HeadSim() { Stop(); }

  // Starts the emulator (again) with the given fault options and makes its
  // link the port Torvak opens at start-up; true once the link is there.
  bool Start(const QStringList& faults = {}) {
    Stop();
    std::vector<QByteArray> words{TORVAK_HEADSIM, "--link", QFile::encodeName(Link()), "--log"};
    for (const QString& fault : faults) words.push_back(fault.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, QFile::encodeName(dir_.filePath("log")).constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    QSettings().setValue("SETTINGS/COM1", Link());
    QSettings().setValue("SETTINGS/COMPORT", 1);
    return pid_ > 0 && WaitFor([&] { return QFileInfo::exists(Link()); }, 30000);
  }

  QString Link() const { return dir_.filePath("head"); }
  // Everything logged since the last Start: its device, the frames, "skipped N bytes", "hangup".
  QString Log() const {
    QFile file(dir_.filePath("log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  // The status line's sentence for "Com 1" on the link.
  QString Status(PortOutcome outcome) const {
    return StatusText(PortReport{outcome, 1, Link().toStdString(), {}});
  }

 private:
  // A hang-up has already ended it; it is reaped all the same. Killed, it leaves its link.
  void Stop() {
    if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0) ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    QFile::remove(Link());
  }

  QTemporaryDir dir_;
  pid_t pid_ = -1;
};

// No waits: each scan step takes as long as its exchanges on the line.
inline std::unique_ptr<Clock> NoWaits() { return std::make_unique<scan_fakes::VirtualClock>(); }
