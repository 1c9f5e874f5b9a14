// "Speichern (Screenshot)": what is taken at the click, what the user is
// told, the save dialog, and the scan that goes on while it is open.
#include "window_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include "overlay/export.h"
#include "overlay/measurements.h"
#include "overlay/surface_image.h"

namespace {

class ExportTest : public WindowTest {
 protected:
  // Clicks "Speichern (Screenshot)" with whileAsked standing in for the save
  // dialog: it runs while the dialog would be open and gives the path.
  void SaveAs(std::function<QString()> whileAsked) {
    window_->SetExportPathChooser([whileAsked = std::move(whileAsked)](QWidget*) { return whileAsked(); });
    Click(ctl::kSaveScreenshot);
  }
  QTemporaryDir dir_;
};

}  // namespace

TEST_F(ExportTest, ScreenshotIsThePictureOfTheClickBesideTheWindowsScaleStrip) {
  Open();
  Image().StoreReading(5, 10, 30);
  PaintPicture();
  const QImage atClick = SurfaceImage(Display().compositeSurface).copy();
  const QString path = dir_.filePath(QStringLiteral("bild.bmp"));
  SaveAs([&] {
    Image().StoreReading(6, 10, 150);
    PaintPicture();
    return path;
  });
  ASSERT_NE(SurfaceImage(Display().compositeSurface), atClick);
  const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(saved.copy(0, 0, kPictureWidth, kPictureHeight), atClick);
  const Area& picture = window_->Layout().pictureArea;
  const QImage strip = window_->grab(QRect(picture.right, picture.top, kStripWidth, kExportHeight)).toImage();
  EXPECT_EQ(saved.copy(kPictureWidth, 0, kStripWidth, kExportHeight),
            strip.convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(window_->StatusText().contains(path));
}

TEST_F(ExportTest, AFailedSaveIsToldInABoxAndOnTheStatusLineACancelledOneNowhere) {
  Open();
  QString told;
  WithNextModal<QMessageBox>([&](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  SaveAs([&] { return dir_.filePath(QStringLiteral("fehlt/bild.bmp")); });  // no such folder
  EXPECT_FALSE(told.isEmpty());
  EXPECT_EQ(window_->StatusText(), told);
  SaveAs([] { return QString(); });
  EXPECT_EQ(window_->StatusText(), told);
}

TEST_F(ExportTest, TheScanGoesOnWhileTheSaveDialogIsOpenAndTheValuesAreThoseOfTheClick) {
  Open();
  StartAndHoldAfter(PanWrite(3));
  std::optional<Measurements> atClick;
  bool readWhileOpen = false;
  const QString saved = dir_.filePath(QStringLiteral("werte.csv"));
  SaveAs([&] {
    atClick = TakeMeasurements(Image().grid, 0, ScanRange{});
    adapter_->Set([](FakeAdapter::Knobs& knobs) { ++knobs.pixelAnswer; });
    adapter_->Release();
    const std::int32_t* cells = &Image().grid[0][0];
    const std::int32_t* taken = &atClick->grid[0][0];
    readWhileOpen = WaitFor([&] { return !std::equal(cells, cells + kGridColumns * kGridRows, taken); });
    return saved;
  });
  EXPECT_TRUE(readWhileOpen);
  const QString expected = dir_.filePath(QStringLiteral("erwartet.csv"));
  ASSERT_FALSE(SaveMeasurements(expected, *atClick));
  // The first line says when the values were taken: only the values count.
  QFile savedFile(saved), expectedFile(expected);
  ASSERT_TRUE(savedFile.open(QIODevice::ReadOnly) && expectedFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(savedFile.readAll().split('\n').mid(1), expectedFile.readAll().split('\n').mid(1));
}

TEST_F(ExportTest, SaveDialogOffersTheBitmapFirstAndAppendsTheChosenTypesSuffix) {
  Open();
  QString firstType, firstSuffix, lastSuffix;
  WithNextModal<QFileDialog>([&](QFileDialog& dialog) {
    firstType = dialog.selectedNameFilter();
    firstSuffix = dialog.defaultSuffix();
    QTest::keyClick(dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_End);
    lastSuffix = dialog.defaultSuffix();  // "Messwerte (*.csv)"
    dialog.reject();
  });
  Click(ctl::kSaveScreenshot);
  EXPECT_EQ(firstType, "Bitmap (*.bmp)");
  EXPECT_EQ(firstSuffix, "bmp");
  EXPECT_EQ(lastSuffix, "csv");
}
