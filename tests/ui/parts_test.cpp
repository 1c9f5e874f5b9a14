// The window's parts on their own: the arrow-button control of the scan range,
// the smoothing settings dialog, and Qt's save dialog under the German interface.
#include "window_fixture.h"  // Qt, GoogleTest and WithNextModal

#include <gtest/gtest-spi.h>

#include <tuple>

#include "ui/interface_language.h"
#include "ui/file_dialogs.h"
#include "ui/up_down.h"
#include "ui/weichzeichner_dlg.h"

class SmoothingDialogTest : public ::testing::Test {
 protected:
  QSlider* Bar(const char* name) { return dialog.findChild<QSlider*>(QString::fromLatin1(name)); }
  QString Text(const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->text(); }
  PictureModel picture{{}};
  CWeichzeichnerDlg dialog;
};

// One proposal at a time, each from the position the last answer left; none
// past the limits; an answer without a proposal is ignored.
TEST(UpDown, ClicksWaitForTheAnswerAndStopAtTheLimits) {
  UpDown control(Qt::Vertical);
  control.SetRange(0, 31);
  control.SetPosition(30);
  QSignalSpy proposed(&control, &UpDown::changeProposed);
  QSignalSpy moved(&control, &UpDown::positionChanged);
  for (int click = 0; click < 3; ++click) control.Step(+1);
  EXPECT_TRUE(moved.isEmpty());  // nothing shown before the answer
  control.Answer(31, false);     // refused: the next click starts from 30 again
  control.Answer(31, true);      // the third click would pass the limit
  control.Answer(20, true);
  EXPECT_EQ(proposed, (QList<QVariantList>{{31}, {31}}));
  control.SetPosition(0);
  for (int delta : {-1, +1, +1}) control.Step(delta);
  control.DropWaitingSteps();
  control.Answer(1, true);
  control.Answer(2, true);  // nothing waits behind the 1
  EXPECT_EQ(proposed, (QList<QVariantList>{{31}, {31}, {1}}));
  control.SetRange(0, 0);
  EXPECT_EQ(moved, (QList<QVariantList>{{31}, {0}, {1}, {0}}));
}

// Up and right increase: the arrow on top or on the right, and its key.
TEST(UpDown, ArrowsAndKeysProposeInTheirDirection) {
  for (const auto& [orientation, more, less, keyMore, keyLess] :
       {std::tuple{Qt::Vertical, QPoint(10, 4), QPoint(10, 16), Qt::Key_Up, Qt::Key_Down},
        std::tuple{Qt::Horizontal, QPoint(16, 10), QPoint(4, 10), Qt::Key_Right, Qt::Key_Left}}) {
    UpDown control(orientation);
    control.SetRange(0, 31);
    control.SetPosition(5);
    control.resize(20, 20);
    control.show();  // lays out the arrows
    QObject::connect(&control, &UpDown::changeProposed, &control, [&](int v) { control.Answer(v, false); });
    QSignalSpy proposed(&control, &UpDown::changeProposed);
    for (const QPoint at : {more, less}) QTest::mouseClick(control.childAt(at), Qt::LeftButton);
    QTest::keyClick(&control, keyMore);
    QTest::keyClick(&control, keyLess);
    EXPECT_EQ(proposed, (QList<QVariantList>{{6}, {4}, {6}, {4}})) << orientation;
  }
}

// A trackbar move keeps the other values at the image's settings; the edits
// and the previews follow, and the previews are painted at their placeholders.
TEST_F(SmoothingDialogTest, TrackbarsReachEditsAndPreviews) {
  dialog.Prepare(picture.Image());
  const QString halfWidth = Text("halfWidthEdit");
  Bar("radiusBar")->setValue(45);
  const QImage measured = SurfaceImage(dialog.Preview().measuredPreview).copy();
  Bar("temperatureBar")->setValue(30);
  EXPECT_EQ(Text("halfWidthEdit"), halfWidth);
  EXPECT_EQ(Text("radiusEdit").toDouble(), dialog.Settings().Radius());
  EXPECT_EQ(Text("temperatureEdit"), "30");
  EXPECT_NE(SurfaceImage(dialog.Preview().measuredPreview), measured);
  const QImage shown = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (const auto& [name, preview] : {std::pair{"measuredPreview", &dialog.Preview().measuredPreview},
                                    std::pair{"smoothedPreview", &dialog.Preview().smoothedPreview}}) {
    const QPoint at = dialog.findChild<QLabel*>(QString::fromLatin1(name))->pos();
    EXPECT_EQ(shown.copy(QRect(at, QSize(kPreviewSize, kPreviewSize))), SurfaceImage(*preview)) << name;
  }
}

TEST_F(SmoothingDialogTest, OkAndEnterApplyTheSettingsAbbrechenDoesNot) {
  const std::tuple<const char*, bool, std::function<void()>> closings[] = {
      {"OK", true, [&] { dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click(); }},
      {"Enter", true, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }},
      {"Abbrechen", false, [&] { dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click(); }},
  };
  for (const auto& [name, applies, close] : closings) {
    SmoothingSettings start;
    start.Take(ThermalImage{});
    picture.SetSmoothing(start);
    QTimer::singleShot(0, &dialog, [&] { Bar("radiusBar")->setValue(45), close(); });
    EditSmoothingSettings(dialog, picture);
    EXPECT_EQ(picture.Image().KernelRadius() != start.Radius(), applies) << name;
  }
}

// The bitmap comes first, the suffix follows the chosen type, and Qt speaks German.
TEST(SaveDialog, OffersTheBitmapFirstAppendsTheChosenTypesSuffixAndSpeaksGerman) {
  const InterfaceLanguage german(Language::kGerman, {});
  ASSERT_TRUE(german.Installed());
  QStringList seen;
  WithNextModal<QFileDialog>([&](QFileDialog& dialog) {
    seen << dialog.selectedNameFilter() << dialog.defaultSuffix();
    QTest::keyClick(dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_End);  // "Messwerte"
    seen << dialog.defaultSuffix() << dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
    dialog.reject();
  });
  EXPECT_TRUE(AskExportPath(nullptr).isEmpty());
  EXPECT_EQ(seen, (QStringList{"Bitmap (*.bmp)", "bmp", "csv", "Abbrechen"}));
}

// A test waiting for one dialog while another opens fails at once instead of hanging on it.
TEST(WithNextModal, AnUnexpectedDialogFailsTheTestAndIsClosed) {
  QMessageBox question(QMessageBox::Question, QStringLiteral("Torvak"), QStringLiteral("?"),
                       QMessageBox::Yes | QMessageBox::No);  // no Escape button: closing it alone does nothing
  EXPECT_NONFATAL_FAILURE(WithNextModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
                          question.exec(), "the active dialog is QMessageBox");
}
