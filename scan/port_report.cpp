#include "scan/port_report.h"

#include <cstddef>
#include <vector>

namespace {

// Device paths longer than this many characters are shortened in the middle:
// "/dev/serial/by-id/usb-…-if00-port0" keeps both ends readable, and the
// rest of the sentence after it stays in view.
constexpr std::size_t kLongestShownDevice = 40;

// The byte offsets at which the UTF-8 characters of text start.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  return starts;
}

std::string ShortenedInMiddle(const std::string& text) {
  const std::vector<std::size_t> starts = CharacterStarts(text);
  if (starts.size() <= kLongestShownDevice) return text;
  const std::size_t tail = (kLongestShownDevice - 1) / 2;
  const std::size_t head = kLongestShownDevice - 1 - tail;
  return text.substr(0, starts[head]) + "\u2026" + text.substr(starts[starts.size() - tail]);
}

// "Com 3 (/dev/ttyUSB2)"; a device given for one run has no number: "Gerät /dev/ttyACM0".
std::string PortLabel(const PortReport& report) {
  if (report.number == kEmulatedHeadNumber) return "Emulierter Messkopf (" + ShortenedInMiddle(report.device) + ")";
  if (report.number == kNoPortNumber) return "Gerät " + ShortenedInMiddle(report.device);
  return "Com " + std::to_string(report.number) + " (" + ShortenedInMiddle(report.device) + ")";
}

std::string NotOpened(const PortReport& report, const std::string& reason) {
  return PortLabel(report) + " lässt sich nicht öffnen: " + reason;
}

}  // namespace

std::string StatusText(const PortReport& report) {
  switch (report.outcome) {
    case PortOutcome::kOpened:
      if (report.number == kEmulatedHeadNumber) return "Vorführung ohne Messkopf: " + PortLabel(report);
      return PortLabel(report) + " geöffnet";
    case PortOutcome::kNoPortChosen:
      return "Kein Port gewählt – Ersatzwerte";
    case PortOutcome::kDeviceMissing:
      return NotOpened(report, "Gerät nicht vorhanden");
    case PortOutcome::kNoPermission:
      return NotOpened(report, "keine Berechtigung – der Benutzer muss zur Gruppe „" +
                                   (report.detail.empty() ? std::string("dialout") : report.detail) +
                                   "“ gehören, der das Gerät gehört");
    case PortOutcome::kInUse:
      return NotOpened(report, "wird schon von einem anderen Programm benutzt");
    case PortOutcome::kOpenFailed:
      return NotOpened(report, "Fehler „" + report.detail + "“");
    case PortOutcome::kLost:
      break;
  }
  if (report.number == kEmulatedHeadNumber) {
    return "Verbindung zum emulierten Messkopf (" + ShortenedInMiddle(report.device) + ") verloren – Ersatzwerte";
  }
  return "Verbindung zu " + PortLabel(report) + " verloren – Ersatzwerte";
}

std::string StatusText(StepTrouble trouble) {
  switch (trouble) {
    case StepTrouble::kSilentSensors:
      return "Kein Sensor antwortet – Ersatzwerte";
    case StepTrouble::kNoisyLine:
      return "Störungen auf der Leitung – Messwerte unsicher";
    case StepTrouble::kNone:
      break;
  }
  return {};
}
