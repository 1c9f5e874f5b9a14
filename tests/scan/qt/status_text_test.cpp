#include "scan/qt/status_text.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusText, EachPortOutcomeAndStepTroubleHasItsSentence) {
  const QString absent = "Com 4 (/dev/ttyUSB3) lässt sich nicht öffnen: ";
  const std::pair<PortReport, QString> cases[] = {
      {{PortOutcome::kOpened, 3, "/dev/ttyUSB2", ""}, "Com 3 (/dev/ttyUSB2) geöffnet"},
      {{PortOutcome::kNoPortChosen, 9, "", ""}, "Kein Port gewählt – Ersatzwerte"},
      {{PortOutcome::kDeviceMissing, 4, "/dev/ttyUSB3", ""}, absent + "Gerät nicht vorhanden"},
      {{PortOutcome::kNoPermission, 4, "/dev/ttyUSB3", "uucp"},
       absent + "keine Berechtigung – der Benutzer muss zur Gruppe „uucp“ gehören, der das Gerät gehört"},
      {{PortOutcome::kNoPermission, 4, "/dev/ttyUSB3", ""},
       absent + "keine Berechtigung – der Benutzer muss zur Gruppe „dialout“ gehören, der das Gerät gehört"},
      {{PortOutcome::kInUse, 4, "/dev/ttyUSB3", ""}, absent + "wird schon von einem anderen Programm benutzt"},
      {{PortOutcome::kNameTooLong, 4, "/dev/ttyUSB3", ""},
       absent + "der Gerätename ist länger, als das System erlaubt"},
      {{PortOutcome::kSettingRefused, 4, "/dev/ttyUSB3", ""},
       absent + "das Gerät lässt sich nicht auf 19200 Baud, 8 Datenbits, keine Parität und 2 Stoppbits einstellen"},
      {{PortOutcome::kSettingRefused, 4, "/dev/ttyUSB3", "Invalid argument"},
       absent + "das Gerät lässt sich nicht auf 19200 Baud, 8 Datenbits, keine Parität und 2 Stoppbits "
                "einstellen (Fehler „Invalid argument“)"},
      {{PortOutcome::kOpenFailed, 4, "/dev/ttyUSB3", "Input/output error"}, absent + "Fehler „Input/output error“"},
      {{PortOutcome::kLost, 1, "/dev/ttyACM0", ""}, "Verbindung zu Com 1 (/dev/ttyACM0) verloren – Ersatzwerte"},
      {{PortOutcome::kOpened, kNoPortNumber, "/dev/ttyACM0", ""}, "Gerät /dev/ttyACM0 geöffnet"},
      {{PortOutcome::kOpened, kEmulatedHeadNumber, "/dev/pts/3", ""},
       "Vorführung ohne Messkopf: Emulierter Messkopf (/dev/pts/3)"},
      {{PortOutcome::kInUse, kEmulatedHeadNumber, "/dev/pts/3", ""},
       "Emulierter Messkopf (/dev/pts/3) lässt sich nicht öffnen: wird schon von einem anderen Programm benutzt"},
      {{PortOutcome::kLost, kEmulatedHeadNumber, "/dev/pts/3", ""},
       "Verbindung zum emulierten Messkopf (/dev/pts/3) verloren – Ersatzwerte"},
  };
  for (const auto& [report, sentence] : cases) EXPECT_EQ(StatusText(report), sentence) << sentence.toStdString();
  EXPECT_EQ(StatusText(StepTrouble::kSilentSensors), "Kein Sensor antwortet – Ersatzwerte");
  EXPECT_EQ(StatusText(StepTrouble::kNoisyLine), "Störungen auf der Leitung – Messwerte unsicher");
}

TEST(StatusText, LongDevicePathKeepsItsFortyCharactersStartAndEndSoTheResultStaysInView) {
  const QString exactlyForty = "/dev/serial/by-id/usb-äöü-0123456789abcd";  // umlauts: two bytes, one character
  EXPECT_EQ(StatusText({PortOutcome::kOpened, 2, exactlyForty.toStdString(), ""}), QStringLiteral("Com 2 (") + exactlyForty + QStringLiteral(") geöffnet"));
  const std::string longer = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_Ä50285BI-if00-port0";
  EXPECT_EQ(StatusText({PortOutcome::kDeviceMissing, 2, longer, ""}),
            "Com 2 (/dev/serial/by-id/us…Ä50285BI-if00-port0) lässt sich nicht öffnen: Gerät nicht vorhanden");
}

}  // namespace
