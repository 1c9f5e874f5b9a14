#pragma once
// The far end of a pseudo-terminal pair, standing in for the adapter: the
// link under test opens the slave side, the test reads and answers on the
// master side.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QString>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

class PtyPeer {
 public:
  // One exchange of a responder: receive a frame, then answer.
  struct Exchange {
    std::size_t frameLength = 0;
    std::uint8_t reply = 0;
  };

  PtyPeer() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
    }
  }
  ~PtyPeer() {
    Join();
    CloseMaster();
  }
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  bool Ready() const { return master_ >= 0 && !slavePath_.isEmpty(); }
  const QString& SlavePath() const { return slavePath_; }

  // Up to n bytes that arrive within timeoutMs.
  std::vector<std::uint8_t> Receive(std::size_t n, int timeoutMs) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (bytes.size() < n) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd waiting{master_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) break;
      std::uint8_t byte = 0;
      if (::read(master_, &byte, 1) != 1) break;
      bytes.push_back(byte);
    }
    return bytes;
  }

  void Write(std::vector<std::uint8_t> bytes) {
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  }

  // The line settings of the slave side, which a pseudo-terminal's master
  // shares: readable whoever holds the slave open, exclusively or not.
  termios LineSettings() const {
    termios settings{};
    ::tcgetattr(master_, &settings);
    return settings;
  }

  int SetLineSettings(const termios& settings) { return ::tcsetattr(master_, TCSANOW, &settings); }
  // Keeps the slave's settings of the bits set in locks as they are, whatever
  // the slave's side asks for; 0 if done (it needs CAP_SYS_ADMIN).
  int LockLineSettings(termios locks) { return ::ioctl(master_, TIOCSLCKTRMIOS, &locks); }

  // Answers frames on a thread of its own until the script ends.
  void Respond(std::vector<Exchange> script) {
    responder_ = std::thread([this, script = std::move(script)] {
      for (const Exchange& exchange : script) {
        if (Receive(exchange.frameLength, 5000).size() != exchange.frameLength) return;
        Write({exchange.reply});
      }
    });
  }
  void Join() {
    if (responder_.joinable()) responder_.join();
  }
  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  QString slavePath_;
  std::thread responder_;
};
