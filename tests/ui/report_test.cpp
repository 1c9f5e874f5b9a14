// The lesson report: its PDF read back as text, a failed save, and the window's entries.
#include "window_fixture.h"  // Qt, GoogleTest, WithNextModal and PickInNextFileDialog

#include <QPrintDialog>

#include "image/readout.h"
#include "tests/support/pdf_text.h"
#include "ui/interface_language.h"
#include "ui/report.h"

namespace {

class ReportTest : public ::testing::Test {
 protected:
  void Store(int column, int row, int value) { model.StoreReading({column, row, value, false, false, now += 1, ++round}); }
  double now = 0.0;
  std::uint64_t round = 0;
  PictureModel model{[this] { return now; }};
  QTemporaryDir folder;
};

// A point read twice (a recording), an area of two cells with an emissivity of its own (its mean
// corrected, its emissivity named), no line: its profile is left out.
TEST_F(ReportTest, APdfNamesThePointsValueTheAreasMeanAndTheDateAndLeavesOutWhatIsNotThere) {
  ASSERT_TRUE(model.AddPoint({5, 5}));
  ASSERT_TRUE(model.AddArea({{10, 10}, {11, 10}}));
  Store(5, 5, 44), Store(5, 5, 42), Store(10, 10, 30), Store(11, 10, 35);
  PictureModel::EmissivityChoice emissivity;
  emissivity.areas[0] = 0.9;
  emissivity.reflectedCelsius = 20.0;
  model.SetEmissivity(emissivity);
  const QDateTime when(QDate(2026, 12, 7), QTime(13, 5));
  const QString path = folder.filePath(QStringLiteral("bericht.pdf"));
  ASSERT_EQ(SaveReport(path, model, when), std::nullopt);
  const QString text = PdfText(path).simplified();
  EXPECT_TRUE(text.contains(NumberLocale().toString(when.date(), QLocale::LongFormat))) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromStdString(DegreesText(42)))) << text.toStdString();
  EXPECT_TRUE(text.contains(MeanDegreesText(*Corrected(32.5, {0.9, 20.0})))) << text.toStdString();
  EXPECT_TRUE(text.contains(NumberLocale().toString(0.9, 'f', 2))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Temperaturverlauf")));
  EXPECT_FALSE(text.contains(QStringLiteral("Linienprofil")));
}

TEST_F(ReportTest, ASaveIntoAMissingFolderSaysSoAndLeavesNothing) {
  const QString path = folder.filePath(QStringLiteral("fehlt/bericht.pdf"));
  const std::optional<QString> problem = SaveReport(path, model, QDateTime::currentDateTime());
  ASSERT_TRUE(problem);
  EXPECT_TRUE(problem->startsWith(QStringLiteral("Die Datei %1 wurde nicht gespeichert").arg(path)))
      << problem->toStdString();
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

}  // namespace

// The last entries of the context menu: a separator, "Bericht…" saving where
// the dialog says, "Drucken…" opening the print dialog.
TEST_F(WindowTest, BerichtAndDruckenEndTheContextMenuAndOpenTheirDialogs) {
  CTorvakDlg& window = Open();
  const QList<QAction*> entries = window.actions();
  ASSERT_GE(entries.size(), 3);
  QAction* report = entries[entries.size() - 2];
  QAction* print = entries.back();
  EXPECT_TRUE(entries[entries.size() - 3]->isSeparator());
  EXPECT_EQ(report->text(), QStringLiteral("Bericht…"));
  EXPECT_EQ(report->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
  EXPECT_EQ(print->text(), QStringLiteral("Drucken…"));
  EXPECT_EQ(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("bericht.pdf"));
  PickInNextFileDialog(path);
  report->trigger();
  EXPECT_TRUE(QFileInfo(path).size() > 0);
  EXPECT_TRUE(window.StatusText().contains(path)) << window.StatusText().toStdString();
  bool asked = false;
  WithNextModal<QPrintDialog>([&asked](QPrintDialog& dialog) { asked = true, dialog.reject(); });
  print->trigger();
  EXPECT_TRUE(asked);
}
