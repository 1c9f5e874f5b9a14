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

// "/dev/serial/by-id/usb-…-if00-port0": the start and the end of a long
// path stay readable, and the rest of the message after it stays in view.
QString ShortenedInMiddle(const QString& text, int longest) {
  if (text.size() <= longest) return text;
  const int tail = (longest - 1) / 2;
  const int head = longest - 1 - tail;
  return text.left(head) + QChar(0x2026) + text.right(tail);
}

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
      QTimer::singleShot(0, &port_, [this] { LostAfterError(); });
    }
  });
}

SerialLink::~SerialLink() { Close(); }

PortLink::OpenResult SerialLink::Open(int number, const QString& device) {
  Close();
  lost_ = false;  // a loss of the port closed here no longer matters
  noiseBytes_ = 0;
  number_ = number;
  device_ = device;
  port_.setPortName(device);
  if (!port_.open(QIODevice::ReadWrite)) {
    const QString reason = OpenFailure();
    port_.clearError();
    return {false, PortLabel() + QStringLiteral(" lässt sich nicht öffnen: ") + reason};
  }
  Configure();
  return {true, PortLabel() + QStringLiteral(" geöffnet")};
}

void SerialLink::Configure() {
  port_.setBaudRate(QSerialPort::Baud19200);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::TwoStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  // Fails on a pseudo-terminal ("Inappropriate ioctl"); harmless.
  port_.setDataTerminalReady(false);
  port_.setRequestToSend(false);
#ifdef Q_OS_LINUX
  SetLowLatency(static_cast<int>(port_.handle()));
#endif
  port_.clearError();
  configured_ = true;
}

QString SerialLink::OpenFailure() const {
  switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
      return QStringLiteral("Gerät nicht vorhanden");
    case QSerialPort::PermissionError: {
#ifdef Q_OS_LINUX
      // Qt reports a port in use as a permission error too; tell them apart.
      QString group;
      if (LacksPermission(device_, group)) {
        return QStringLiteral("keine Berechtigung – der Benutzer muss zur Gruppe „%1“ gehören, der das Gerät gehört")
            .arg(group.isEmpty() ? QStringLiteral("dialout") : group);
      }
#endif
      return QStringLiteral("wird schon von einem anderen Programm benutzt");
    }
    default:
      return QStringLiteral("Fehler „%1“").arg(port_.errorString());
  }
}

void SerialLink::Close() {
  configured_ = false;
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool SerialLink::IsOpen() const { return port_.isOpen(); }

void SerialLink::Abort() { aborted_ = true; }

bool SerialLink::TakeLoss(QString& message) {
  if (!lost_) return false;
  lost_ = false;
  message = lossMessage_;
  return true;
}

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
    if (LostAfterError()) return;
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
    if (LostAfterError()) return false;
  }
  return false;
}

bool SerialLink::LostAfterError() {
  if (!port_.isOpen() || !configured_ || !IsFailure(port_.error())) return false;
  LoseConnection();
  return true;
}

void SerialLink::LoseConnection() {
  Close();
  lost_ = true;
  lossMessage_ = QStringLiteral("Verbindung zu ") + PortLabel() + QStringLiteral(" verloren – Ersatzwerte");
}

QString SerialLink::PortLabel() const {
  return QStringLiteral("Com %1 (%2)").arg(number_).arg(ShortenedInMiddle(device_, kLongestShownDevice));
}
