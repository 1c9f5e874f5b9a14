#include "scan/qt/serial_link.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>

#ifdef Q_OS_LINUX
#include <grp.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// Waits are cut into slices so that Abort from another thread takes effect
// quickly.
constexpr int kSliceMs = 50;

bool IsFailure(QSerialPort::SerialPortError error) {
  return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

#ifdef Q_OS_LINUX
// USB serial adapters hold each received byte up to 16 ms unless told
// otherwise; best effort, a pseudo-terminal or another driver may refuse.
void SetLowLatency(int descriptor) {
  serial_struct serial{};
  if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  ::ioctl(descriptor, TIOCSSERIAL, &serial);
}

// A driver may take a setting without complaint and keep its own (the
// system's call succeeds if it could change anything): read the line back.
bool LineIsAsSet(int descriptor) {
  termios line{};
  if (::tcgetattr(descriptor, &line) != 0) return false;
  const speed_t in = ::cfgetispeed(&line);
  return ::cfgetospeed(&line) == B19200 && (in == B19200 || in == B0) && (line.c_cflag & CSIZE) == CS8 &&
         (line.c_cflag & (PARENB | CSTOPB | CRTSCTS)) == CSTOPB && (line.c_iflag & (IXON | IXOFF)) == 0;
}

bool NameTooLong(const QString& device) {
  return ::access(QFile::encodeName(device).constData(), F_OK) != 0 && errno == ENAMETOOLONG;
}

// True when the user may not read and write the device; owner is then the
// name of the group that owns it (empty when unknown).
bool LacksPermission(const QString& device, QString& owner) {
  const QByteArray path = QFile::encodeName(device);
  if (::access(path.constData(), R_OK | W_OK) == 0 || errno != EACCES) return false;
  struct stat info{};
  if (::stat(path.constData(), &info) == 0) {
    if (const struct group* entry = ::getgrgid(info.st_gid)) owner = QString::fromLocal8Bit(entry->gr_name);
  }
  return true;
}
#endif

// Marks the time in which arriving bytes may be the answer to a frame.
class ExchangeScope {
 public:
  explicit ExchangeScope(bool& exchanging) : exchanging_(exchanging) { exchanging_ = true; }
  ~ExchangeScope() { exchanging_ = false; }
  ExchangeScope(const ExchangeScope&) = delete;
  ExchangeScope& operator=(const ExchangeScope&) = delete;

 private:
  bool& exchanging_;
};

}  // namespace

SerialLink::SerialLink() {
  port_.setReadBufferSize(kReadBufferBytes);
  // Between exchanges nobody reads: whatever comes then is noise.
  QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] {
    if (!exchanging_) DropUnaskedBytes();
  });
  // A vanished device also reports errors between exchanges, from the event
  // loop; close it there too, but outside the port's own signal.
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError error) {
    if (configured_ && IsFailure(error)) {
      QTimer::singleShot(0, &port_, [this] { CloseOnFailure(); });
    }
  });
}

SerialLink::~SerialLink() { Close(); }

PortReport SerialLink::Open(int number, const QString& device) {
  Close();
  noiseBytes_ = 0;
  number_ = number;
  device_ = device;
  port_.setPortName(device);
  if (!port_.open(QIODevice::ReadWrite)) {
    const PortReport failure = OpenFailure();
    port_.clearError();
    return failure;
  }
  if (QString why; !Configure(why)) {
    Close();
    return Report(PortOutcome::kSettingRefused, why);
  }
  return Report(PortOutcome::kOpened);
}

PortReport SerialLink::Report(PortOutcome outcome, const QString& detail) const {
  return {outcome, number_, device_.toStdString(), detail.toStdString()};
}

bool SerialLink::Configure(QString& why) {
  if (!port_.setBaudRate(QSerialPort::Baud19200) || !port_.setDataBits(QSerialPort::Data8) ||
      !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::TwoStop) ||
      !port_.setFlowControl(QSerialPort::NoFlowControl)) {
    why = port_.errorString();
    return false;
  }
  // Fails on a pseudo-terminal ("Inappropriate ioctl"); harmless.
  port_.setDataTerminalReady(false);
  port_.setRequestToSend(false);
#ifdef Q_OS_LINUX
  const int descriptor = static_cast<int>(port_.handle());
  if (!LineIsAsSet(descriptor)) return false;
  SetLowLatency(descriptor);
#endif
  port_.clearError();
  configured_ = true;
  return true;
}

PortReport SerialLink::OpenFailure() const {
#ifdef Q_OS_LINUX
  // Qt takes the system's "name too long" for a port in use.
  if (NameTooLong(device_)) return Report(PortOutcome::kNameTooLong);
#endif
  switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
      return Report(PortOutcome::kDeviceMissing);
    case QSerialPort::PermissionError: {
#ifdef Q_OS_LINUX
      // Qt reports a port in use as a permission error too; tell them apart.
      QString group;
      if (LacksPermission(device_, group)) return Report(PortOutcome::kNoPermission, group);
#endif
      return Report(PortOutcome::kInUse);
    }
    default:
      return Report(PortOutcome::kOpenFailed, port_.errorString());
  }
}

void SerialLink::Close() {
  configured_ = false;
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool SerialLink::IsOpen() const { return port_.isOpen(); }

void SerialLink::Abort() { aborted_ = true; }

int SerialLink::TakeNoise() {
  if (port_.isOpen() && !exchanging_) DropUnaskedBytes();
  const int noise = noiseBytes_;
  noiseBytes_ = 0;
  return noise;
}

void SerialLink::DropUnaskedBytes() { noiseBytes_ += static_cast<int>(port_.readAll().size()); }

qint64 SerialLink::PendingInTerminal() const {
  int pending = 0;
#ifdef Q_OS_LINUX
  if (port_.isOpen() && ::ioctl(static_cast<int>(port_.handle()), FIONREAD, &pending) != 0) pending = 0;
#endif
  return pending;
}

void SerialLink::Send(std::span<const std::uint8_t> bytes) {
  if (!port_.isOpen() || aborted_) return;
  // A reply that came after its read gave up would otherwise answer this
  // frame and shift every later reading by one.
  DropUnaskedBytes();
  noiseBytes_ += static_cast<int>(PendingInTerminal());
  port_.clear(QSerialPort::Input);
  const ExchangeScope exchange(exchanging_);
  port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  QElapsedTimer elapsed;
  elapsed.start();
  while (port_.bytesToWrite() > 0 && !aborted_ && elapsed.elapsed() < kWriteTimeoutMs) {
    port_.waitForBytesWritten(kSliceMs);
    if (CloseOnFailure()) return;
  }
}

bool SerialLink::ReadByte(std::uint8_t& byte) {
  const ExchangeScope exchange(exchanging_);
  QElapsedTimer elapsed;
  elapsed.start();
  while (port_.isOpen() && !aborted_) {
    // waitForReadyRead waits for new data only: bytes already buffered first.
    char received = 0;
    if (port_.bytesAvailable() > 0 && port_.getChar(&received)) {
      byte = static_cast<std::uint8_t>(received);
      return true;
    }
    const qint64 left = kReadTimeoutMs - elapsed.elapsed();
    if (left <= 0) return false;
    port_.waitForReadyRead(static_cast<int>(std::min<qint64>(kSliceMs, left)));
    if (CloseOnFailure()) return false;
  }
  return false;
}

bool SerialLink::CloseOnFailure() {
  if (!port_.isOpen() || !configured_ || !IsFailure(port_.error())) return false;
  Close();
  ReportLoss(Report(PortOutcome::kLost));
  return true;
}
