// "Speichern (Screenshot)": the saved picture, the measured values, the
// failures the user is told about, the save dialog, and the scan that goes
// on meanwhile.
#include "picture_tools_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>

namespace {

using Grid = std::array<std::array<std::int32_t, kGridRows>, kGridColumns>;

class ExportTest : public PictureToolsTest {
 protected:
  void SetUp() override {
    PictureToolsTest::SetUp();
    Open();
    SelectTab(kPageWaermebild);
  }

  // Clicks "Speichern (Screenshot)" with whileAsked standing in for the save
  // dialog: it runs while the dialog would be open and gives the path.
  void SaveAs(std::function<QString()> whileAsked) {
    window_->SetExportPathChooser([whileAsked = std::move(whileAsked)](QWidget*) { return whileAsked(); });
    Click(ctl::kSaveScreenshot);
  }
  void SaveAs(const QString& path) {
    SaveAs([path] { return path; });
  }

  QImage CompositeNow() const { return ImageOf(Display().compositeSurface); }

  Grid GridNow() const {
    Grid grid;
    for (int column = 0; column < kGridColumns; ++column) {
      for (int row = 0; row < kGridRows; ++row) grid[column][row] = window_->Image().grid[column][row];
    }
    return grid;
  }

  // The message box the next failed save opens; closed at once.
  void ExpectMessageBox(QString& text) {
    WithNextModal<QMessageBox>([&text](QMessageBox& box) {
      text = box.text();
      box.accept();
    });
  }
};

QByteArray FormatOf(const QString& path) { return QImageReader(path).format(); }

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The grid as the CSV file gives it: a comment line, then row 31 down to row 0.
std::optional<Grid> ReadCsv(const QString& path) {
  const QList<QByteArray> lines = Contents(path).split('\n');
  if (lines.size() < kGridRows + 1 || !lines[0].startsWith('#')) return std::nullopt;
  Grid grid;
  for (int row = kGridRows - 1, line = 1; row >= 0; --row, ++line) {
    const QList<QByteArray> fields = lines[line].trimmed().split(';');
    if (fields.size() != kGridColumns) return std::nullopt;
    for (int column = 0; column < kGridColumns; ++column) {
      bool isNumber = false;
      grid[column][row] = fields[column].isEmpty() ? kNoReading : fields[column].toInt(&isNumber);
      if (!fields[column].isEmpty() && !isNumber) return std::nullopt;
    }
  }
  return grid;
}

}  // namespace

TEST_F(ExportTest, ScreenshotIsTheCompositeOfTheClickBesideTheWindowsScaleStrip) {
  window_->Image().StoreReading(5, 10, 30);
  window_->Image().StoreReading(40, 20, 120);
  PaintNow();
  const QImage atClick = CompositeNow();
  const QString first = dir_.filePath(QStringLiteral("first.bmp"));
  SaveAs([&] {
    // The picture changes while the dialog is open.
    window_->Image().StoreReading(6, 10, 150);
    PaintNow();
    return first;
  });
  const QImage changed = CompositeNow();
  ASSERT_FALSE(SamePixels(atClick, changed));

  EXPECT_EQ(FormatOf(first), "bmp");
  const QImage saved(first);
  ASSERT_EQ(saved.size(), QSize(740, 480));
  EXPECT_TRUE(SamePixels(saved.copy(0, 0, 640, 480), atClick));
  // The strip starts at the picture area's right edge (920, 10): the scale
  // bar at (940, 70) lies at (660, 60) in the file.
  const QImage scaleBar = ImageOf(Display().legendSurface).copy(0, 0, 30, 300);
  EXPECT_TRUE(SamePixels(saved.copy(660, 60, 30, 300), scaleBar));
  EXPECT_FALSE(SamePixels(saved.copy(659, 60, 30, 300), scaleBar));
  EXPECT_TRUE(window_->StatusText().contains(first));

  // A second export, of the changed picture, is not affected by the first.
  const QString second = dir_.filePath(QStringLiteral("second.bmp"));
  SaveAs(second);
  EXPECT_TRUE(SamePixels(QImage(second).copy(0, 0, 640, 480), changed));
  EXPECT_TRUE(SamePixels(QImage(second).copy(640, 0, 100, 480), saved.copy(640, 0, 100, 480)));
  EXPECT_TRUE(SamePixels(QImage(first).copy(0, 0, 640, 480), atClick));
}

TEST_F(ExportTest, TheNamesExtensionChoosesPictureFormatOrMeasuredValues) {
  const QString png = dir_.filePath(QStringLiteral("Bild.PNG"));
  SaveAs(png);
  EXPECT_EQ(FormatOf(png), "png");
  EXPECT_EQ(QImage(png).size(), QSize(740, 480));

  window_->Image().StoreReading(0, 0, 12);
  window_->Image().StoreReading(61, 31, 155);
  window_->Image().StoreReading(30, 17, 47);
  const QString csv = dir_.filePath(QStringLiteral("werte.csv"));
  SaveAs(csv);
  const std::optional<Grid> read = ReadCsv(csv);
  ASSERT_TRUE(read.has_value()) << Contents(csv).left(300).toStdString();
  EXPECT_EQ(*read, GridNow());
  EXPECT_EQ((*read)[61][31], 155);
  EXPECT_EQ((*read)[1][0], kNoReading);
}

TEST_F(ExportTest, AFailedSaveNamesFileAndReasonAndLeavesExistingFilesAsTheyWere) {
  const QString blocker = dir_.filePath(QStringLiteral("notes.txt"));
  {
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Unterricht am Montag");
  }
  const QString below = blocker + QStringLiteral("/shot.bmp");
  QString message;
  ExpectMessageBox(message);
  SaveAs(below);
  EXPECT_TRUE(message.contains(below)) << message.toStdString();
  EXPECT_EQ(window_->StatusText(), message);
  EXPECT_EQ(Contents(blocker), "Unterricht am Montag");

  // An existing file whose extension names no picture format stays as it was.
  const QString unknown = dir_.filePath(QStringLiteral("altes.xyz"));
  {
    QFile file(unknown);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("alt");
  }
  message.clear();
  ExpectMessageBox(message);
  SaveAs(unknown);
  EXPECT_TRUE(message.contains(unknown)) << message.toStdString();
  EXPECT_EQ(Contents(unknown), "alt");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no partial file";

  // Cancelled: nothing written, nothing said.
  const QString status = window_->StatusText();
  SaveAs(QString());
  EXPECT_EQ(window_->StatusText(), status);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(ExportTest, TheScanGoesOnWhileTheSaveDialogIsOpenAndTheValuesAreThoseOfTheClick) {
  SelectTab(kPageKamera);
  adapter_->HoldAfter(PanWrite(3));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  SelectTab(kPageWaermebild);
  const std::size_t before = Sent().size();
  Grid atClick{};
  bool stepsWhileOpen = false;
  const QString csv = dir_.filePath(QStringLiteral("werte.csv"));
  SaveAs([&] {
    atClick = GridNow();  // the readings are taken before the dialog opens
    adapter_->Release();
    stepsWhileOpen = WaitForFrame(PanWrite(6), before) != kNotSent && window_->Scanning();
    WaitFor([&] { return GridNow() != atClick; });
    return csv;
  });
  EXPECT_TRUE(stepsWhileOpen);
  EXPECT_EQ(Find(Sent(), TiltWrite(15), before), Sent().size()) << "parked while the dialog was open";
  EXPECT_NE(GridNow(), atClick);
  const std::optional<Grid> read = ReadCsv(csv);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, atClick);
  SelectTab(kPageKamera);
  Click(ctl::kStop);
  EXPECT_TRUE(WaitFor([&] { return !window_->Scanning(); }));
}

TEST_F(ExportTest, SaveDialogOffersTheBitmapFirstAppendsTheSuffixAndAsksBeforeReplacing) {
  const QString existing = dir_.filePath(QStringLiteral("vorhanden.bmp"));
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("alt");
  }
  QStringList filters;
  QString firstSuffix, csvSuffix, question;
  bool openAfterNo = false;
  WithNextModal<QFileDialog>([&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    filters.prepend(dialog.selectedNameFilter());
    firstSuffix = dialog.defaultSuffix();
    // The user picks the last file type, "Messwerte", and back the first.
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
      QTest::keyClick(types, Qt::Key_End);
      csvSuffix = dialog.defaultSuffix();
      QTest::keyClick(types, Qt::Key_Home);
    }
    // An existing name: the toolkit asks first, and "No" keeps the dialog open.
    WithNextModal<QMessageBox>([&](QMessageBox& box) {
      question = box.text();
      box.button(QMessageBox::No)->click();
    });
    QDialog& asDialog = dialog;  // the file dialog's accept() is protected, the dialog's is not
    dialog.selectFile(existing);
    asDialog.accept();
    openAfterNo = dialog.isVisible();
    dialog.selectFile(dir_.filePath(QStringLiteral("bild")));
    asDialog.accept();
  });
  Click(ctl::kSaveScreenshot);  // the window's own save dialog

  EXPECT_EQ(filters, (QStringList{"Bitmap (*.bmp)", "Bitmap (*.bmp)", "PNG (*.png)", "JPEG (*.jpg *.jpeg)",
                                  "Messwerte (*.csv)"}));
  EXPECT_EQ(firstSuffix, "bmp");
  EXPECT_EQ(csvSuffix, "csv");
  EXPECT_TRUE(question.contains(QStringLiteral("vorhanden.bmp"))) << question.toStdString();
  EXPECT_TRUE(openAfterNo);
  EXPECT_EQ(Contents(existing), "alt");
  const QString saved = dir_.filePath(QStringLiteral("bild.bmp"));
  EXPECT_EQ(FormatOf(saved), "bmp");
  EXPECT_EQ(QImage(saved).size(), QSize(740, 480));
}
