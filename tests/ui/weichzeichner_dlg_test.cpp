// The smoothing settings dialog on its own: trackbars, edits, preview, and
// which ways of closing it apply the settings.
#include "ui/weichzeichner_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "image/display.h"
#include "image/thermal_image.h"

namespace {

class SmoothingDialogTest : public ::testing::Test {
 protected:
  // Runs the dialog as "Edit" does; whileOpen acts in the open dialog and closes it.
  bool Run(const std::function<void()>& whileOpen) {
    QTimer::singleShot(0, &dialog, whileOpen);
    return ApplySmoothingSettings(dialog, image, display);
  }
  QSlider* Bar(const char* id) { return dialog.findChild<QSlider*>(QString::fromLatin1(id)); }
  QString Text(const char* id) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(id))->text(); }

  ThermalImage image;
  DisplayData display;
  CWeichzeichnerDlg dialog;
};

}  // namespace

TEST_F(SmoothingDialogTest, EditsShowTheImagesSettingsAndTrackbarMovesReachEditsAndPreview) {
  image.kernelHalfWidth = 0.29;
  image.kernelRadius = 4;
  EXPECT_FALSE(Run([this] {
    EXPECT_EQ(Text("1066"), "0.29");
    EXPECT_EQ(Text("1067"), "4");
    EXPECT_EQ(Text("1069"), "80");
    Bar("1093")->setValue(45);
    EXPECT_EQ(Text("1067"), "4.5");
    EXPECT_EQ(Text("1066"), "0.29");  // the half-width bar stood at the image's setting
    Bar("1095")->setValue(30);
    EXPECT_EQ(Text("1069"), "30");
    EXPECT_EQ(dialog.Preview().measuredPreview.Pixel(50, 50), image.ScaleColour(30));
    dialog.reject();
  }));
}

TEST_F(SmoothingDialogTest, OkAndEnterApplyTheSettingsAbbrechenEscapeAndTheCloseBoxDoNot) {
  const std::tuple<const char*, bool, std::function<void()>> closings[] = {
      {"OK", true, [&] { dialog.findChild<QPushButton*>(QStringLiteral("1"))->click(); }},
      {"Enter", true, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }},
      {"Abbrechen", false, [&] { dialog.findChild<QPushButton*>(QStringLiteral("2"))->click(); }},
      {"Escape", false, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }},
      {"close box", false, [&] { dialog.close(); }},
  };
  for (const auto& [name, applies, close] : closings) {
    image.kernelRadius = 20;
    const bool applied = Run([&] {
      Bar("1093")->setValue(45);
      close();
    });
    EXPECT_EQ(applied, applies) << name;
    EXPECT_EQ(image.kernelRadius != 20, applies) << name;
  }
}

TEST_F(SmoothingDialogTest, PreviewsArePaintedAtTheirPlaceholders) {
  dialog.Prepare(image);
  const QImage shown = dialog.grab().toImage();
  const QPoint measured = dialog.findChild<QLabel*>(QStringLiteral("1091"))->pos();
  const QPoint smoothed = dialog.findChild<QLabel*>(QStringLiteral("1092"))->pos();
  for (const QPoint at : {QPoint(0, 0), QPoint(50, 50), QPoint(99, 99)}) {
    EXPECT_EQ(shown.pixel(measured + at), dialog.Preview().measuredPreview.Pixel(at.x(), at.y()));
    EXPECT_EQ(shown.pixel(smoothed + at), dialog.Preview().smoothedPreview.Pixel(at.x(), at.y()));
  }
}
