#include "scan/qt/port_settings.h"

#include <QSettings>
#include <limits>

namespace {

constexpr auto kSection = "SETTINGS";

// QSettings is neither copyable nor movable: each use builds its own, opened
// on the section.
struct Section {
  Section() { store.beginGroup(kSection); }
  QSettings store;
};

}  // namespace

int StoredPortNumber() {
  Section section;
  bool isNumber = false;
  // Read wide so that a 32-bit unsigned value keeps its low byte; a value
  // wider than the stored 32 bits is no port number.
  const qlonglong value = section.store.value("COMPORT", 0).toLongLong(&isNumber);
  const bool fits = value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<quint32>::max();
  return isNumber && fits ? static_cast<int>(value & 0xFF) : 0;
}

void StorePortNumber(int number) {
  Section section;
  section.store.setValue("COMPORT", number);
}

QString PortDevice(int number) {
  Section section;
  const QString custom = section.store.value(QStringLiteral("COM%1").arg(number)).toString();
  if (!custom.isEmpty()) return custom;
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(number);
#else
  return QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
#endif
}
