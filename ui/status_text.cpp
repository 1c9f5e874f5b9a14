#include "ui/status_text.h"

#include <QCoreApplication>

namespace {

// The translation context of the status line's sentences.
struct Status {
  Q_DECLARE_TR_FUNCTIONS(Status)
};

// Device paths longer than this many characters are shortened in the middle:
// "/dev/serial/by-id/usb-…-if00-port0" keeps both ends readable, and the
// rest of the sentence after it stays in view.
constexpr qsizetype kLongestShownDevice = 40;

QString ShownDevice(const PortReport& report) {
  const QString device = QString::fromStdString(report.device);
  if (device.size() <= kLongestShownDevice) return device;
  const qsizetype tail = (kLongestShownDevice - 1) / 2;
  const qsizetype head = kLongestShownDevice - 1 - tail;
  return device.left(head) + QChar(0x2026) + device.right(tail);
}

// "Com 3 (/dev/ttyUSB2)"; a device given for one run has no number: "Gerät /dev/ttyACM0".
QString PortLabel(const PortReport& report) {
  const QString device = ShownDevice(report);
  if (report.number == kEmulatedHeadNumber) return Status::tr("Emulierter Messkopf (%1)").arg(device);
  if (report.number == kNoPortNumber) return Status::tr("Gerät %1").arg(device);
  return Status::tr("Com %1 (%2)").arg(QString::number(report.number), device);
}

QString NotOpened(const PortReport& report, const QString& reason) {
  return Status::tr("%1 lässt sich nicht öffnen: %2").arg(PortLabel(report), reason);
}

QString MissingPermission(const PortReport& report) {
  const QString group = report.detail.empty() ? QStringLiteral("dialout") : QString::fromStdString(report.detail);
  return Status::tr("keine Berechtigung – der Benutzer muss zur Gruppe „%1“ gehören, der das Gerät gehört")
      .arg(group);
}

QString SystemError(const std::string& detail) {
  return Status::tr("Fehler „%1“").arg(QString::fromStdString(detail));
}

QString SettingRefused(const PortReport& report) {
  const QString refused =
      Status::tr("das Gerät lässt sich nicht auf 19200 Baud, 8 Datenbits, keine Parität und 2 Stoppbits einstellen");
  return report.detail.empty() ? refused : refused + QStringLiteral(" (") + SystemError(report.detail) + u')';
}

}  // namespace

QString StatusText(const PortReport& report) {
  switch (report.outcome) {
    case PortOutcome::kOpened:
      if (report.number == kEmulatedHeadNumber) {
        return Status::tr("Vorführung ohne Messkopf: %1").arg(PortLabel(report));
      }
      return Status::tr("%1 geöffnet").arg(PortLabel(report));
    case PortOutcome::kNoPortChosen:
      return Status::tr("Kein Port gewählt – Ersatzwerte");
    case PortOutcome::kDeviceMissing:
      return NotOpened(report, Status::tr("Gerät nicht vorhanden"));
    case PortOutcome::kNoPermission:
      return NotOpened(report, MissingPermission(report));
    case PortOutcome::kInUse:
      return NotOpened(report, Status::tr("wird schon von einem anderen Programm benutzt"));
    case PortOutcome::kNameTooLong:
      return NotOpened(report, Status::tr("der Gerätename ist länger, als das System erlaubt"));
    case PortOutcome::kSettingRefused:
      return NotOpened(report, SettingRefused(report));
    case PortOutcome::kOpenFailed:
      return NotOpened(report, SystemError(report.detail));
    case PortOutcome::kLost:
      break;
  }
  if (report.number == kEmulatedHeadNumber) {
    return Status::tr("Verbindung zum emulierten Messkopf (%1) verloren – Ersatzwerte").arg(ShownDevice(report));
  }
  return Status::tr("Verbindung zu %1 verloren – Ersatzwerte").arg(PortLabel(report));
}

QString StatusText(StepTrouble trouble) {
  switch (trouble) {
    case StepTrouble::kSilentSensors:
      return Status::tr("Kein Sensor antwortet – Ersatzwerte");
    case StepTrouble::kNoisyLine:
      return Status::tr("Störungen auf der Leitung – Messwerte unsicher");
    case StepTrouble::kNone:
      break;
  }
  return {};
}

QString SpotStatusText(const QString& portMessage) { return Status::tr("Punktmessung läuft – %1").arg(portMessage); }
