// The measuring points in the window: Ctrl+click and the context menu set and clear them, their
// markers are drawn over the picture, the scan's readings reach their series, the spot
// measurement starts at point 1 and the plot window opens.
#include "window_fixture.h"

#include "image/readout.h"
#include "ui/marker_colours.h"
#include "ui/measuring_point_tools.h"
#include <QChart>

#include "ui/profile_window.h"
#include "ui/trend_window.h"

TEST_F(WindowTest, MeasuringPointsAreSetDrawnRecordedAndReachTheSpotMeasurementAndThePlot) {
  CTorvakDlg& window = Open();
  MeasuringPointTools& points = window.MeasuringPoints();
  const Area& area = window.Layout().pictureArea;
  const auto grab = [&] { return window.grab(ToRect(area)).toImage().convertToFormat(QImage::Format_RGB32); };
  const QPoint cell = AtCell({40, 13});
  const QImage unmarked = grab();
  const auto ctrlClick = [&](QPoint at) { QTest::mouseClick(&window, Qt::LeftButton, Qt::ControlModifier, at); };
  ctrlClick(QPoint(area.left + 2, area.top + 2));  // beside both pictures
  ctrlClick(cell);
  ASSERT_EQ(window.Model().Recorder().Points(), (std::vector<GridCell>{{40, 13}}));
  EXPECT_EQ(grab().pixelColor(cell.x() - area.left - 5, cell.y() - area.top), MarkerColour(0));
  Click(ctl::kSmoothed);  // the marker stays at its cell in the other display mode and on a moved picture
  window.ControlAs<QScrollBar>(ctl::kBarPositionX)->triggerAction(QAbstractSlider::SliderPageStepAdd);
  const CellPoint moved = CellCentre(Display(), {40, 13});
  ASSERT_NE(area.left + static_cast<int>(moved.x), cell.x());
  EXPECT_EQ(grab().pixelColor(static_cast<int>(moved.x) - 5, static_cast<int>(moved.y)), MarkerColour(0));
  Click(ctl::kMeasuredPixels);
  Click(ctl::kArrangementReset);

  QStringList entries;
  QTimer::singleShot(0, [&] {
    for (QAction* action : QApplication::activePopupWidget()->actions())
      if (action->isEnabled()) entries << action->text();
    QApplication::activePopupWidget()->close();
  });
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(area.left + 2, area.top + 2), window.mapToGlobal(cell));
  QApplication::sendEvent(&window, &menu);  // beside the pictures: no point can be set there
  // Beside the pictures no point, area or line can begin there, and no area or line is set to clear.
  EXPECT_EQ(entries.size(), window.actions().size() - 6) << entries.join(" | ").toStdString();
  EXPECT_FALSE(entries.join(" | ").contains(QStringLiteral("Messpunkt hier setzen")));
  EXPECT_FALSE(entries.join(" | ").contains(QStringLiteral("Messfeld hier setzen")));
  window.activateWindow();  // the closed menu took it
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  points.Actions()[1]->trigger();  // "Messpunkte löschen"
  EXPECT_EQ(grab(), unmarked);

  ctrlClick(cell);
  QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);  // "Punktmessung"
  EXPECT_TRUE(WaitForFrame(ReadFrame(kPanAddress, 5))) << "13 = 1 + 4 (5 - 2), no scan read a pixel before";
  EXPECT_TRUE(WaitFor([&] { return window.Model().Recorder().Series(0).size() >= 2; }));
  QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);  // "Temperaturverlauf…"
  EXPECT_TRUE(window.findChild<TrendWindow*>()->isVisible());

  // Readings not yet saved: Esc and "Messpunkte löschen" ask first; clearing ends the spot
  // measurement; with nothing left to lose Esc closes at once.
  const auto answer = [](QMessageBox::StandardButton button) {
    WithNextModal<QMessageBox>([button](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), QStringLiteral("Verlauf verwerfen?"));
      box.button(button)->click();
    });
  };
  answer(QMessageBox::Cancel);
  window.reject();
  EXPECT_TRUE(window.isVisible() && window.Scanning());
  answer(QMessageBox::Discard);
  points.Actions()[1]->trigger();
  EXPECT_TRUE(window.Model().Recorder().Points().empty());
  EXPECT_TRUE(WaitFor([&] { return !window.Scanning(); }));
  window.reject();
  EXPECT_FALSE(window.isVisible());
}

// Shift+drag from one cell to another frames the area between them, drawn in its colour; a drag that
// begins beside the pictures frames none; the spot measurement visits the area's cells; "Messfelder…"
// (Ctrl+F) shows a line per area.
TEST_F(WindowTest, ShiftDragFramesAMeasuringAreaShownInItsWindow) {
  CTorvakDlg& window = Open();
  const Area& area = window.Layout().pictureArea;
  const auto drag = [&](QPoint from, QPoint to) {
    QTest::mousePress(&window, Qt::LeftButton, Qt::ShiftModifier, from);
    QTest::mouseMove(&window, to);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::ShiftModifier, to);
  };
  drag(QPoint(area.left + 2, area.top + 2), AtCell({5, 5}));
  EXPECT_TRUE(window.Model().Areas().empty());
  drag(AtCell({8, 20}), AtCell({3, 25}));
  ASSERT_EQ(window.Model().Areas(), (std::vector<CellArea>{{{3, 20}, {8, 25}}}));
  const QImage picture = window.grab(ToRect(area)).toImage();
  const CellPoint corner = CellCentre(Display(), {3, 25});
  const int left = static_cast<int>(corner.x - Display().leftPicture.cellWidth / 2);
  EXPECT_EQ(picture.pixelColor(left, static_cast<int>(corner.y) + 2), AreaColour(0));
  QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);  // "Punktmessung": the area's cells, no point set
  EXPECT_TRUE(WaitFor([&] { return window.Scanning(); }));
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  auto* table = window.findChild<QTableWidget*>();
  ASSERT_TRUE(table != nullptr && table->isVisible());
  EXPECT_EQ(table->rowCount(), 1);
}

// Alt+drag draws the line, over the picture; "Linienprofil…" (Ctrl+L) plots it.
TEST_F(WindowTest, AltDragDrawsTheLineOfTheProfileItsWindowPlots) {
  CTorvakDlg& window = Open();
  const Area& area = window.Layout().pictureArea;
  QTest::mousePress(&window, Qt::LeftButton, Qt::AltModifier, AtCell({2, 10}));
  QTest::mouseMove(&window, AtCell({12, 10}));
  QTest::mouseRelease(&window, Qt::LeftButton, Qt::AltModifier, AtCell({12, 10}));
  ASSERT_EQ(window.Model().Profile().Cells().size(), 11u);
  const QPoint middle = AtCell({7, 10}) - QPoint(area.left, area.top);
  EXPECT_EQ(window.grab(ToRect(area)).toImage().pixelColor(middle), QColor(Qt::white));
  window.Model().StoreReading(CellReading{5, 10, 30});
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
  auto* plot = window.findChild<ProfileWindow*>();
  ASSERT_TRUE(plot != nullptr && plot->isVisible());
  EXPECT_TRUE(WaitFor([&] { return !plot->Chart().series().isEmpty(); }));
}
