// The window's picture tools: the tabs, the controls of the page
// "Wärmebild" and the background, and the readout under the mouse.
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <tuple>

#include "image/readout.h"
#include "ui/weichzeichner_dlg.h"

TEST_F(WindowTest, EachTabShowsItsPageAlone) {
  CTorvakDlg& window = Open();
  QTabBar* tabs = window.ControlAs<QTabWidget>(ctl::kPanelTabs)->tabBar();
  for (int page : {kPageEinstellungen, kPageKamera, kPageWaermebild, kPageEinstellungen}) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());  // the start page first
    for (int p = 0; p < kPageCount; ++p) {
      for (int id : PageControls(p)) EXPECT_EQ(Control(id)->isVisibleTo(&window), p == page) << id;
    }
  }
}

TEST_F(WindowTest, PictureControlsChangeTheDisplayAndRepaintThePicture) {
  Open();
  PicturePaints paints(*window_);
  const int radius = Image().kernelRadius;
  QSlider* transparency = window_->ControlAs<QSlider>(ctl::kTransparency);
  const std::pair<const char*, std::function<bool()>> changes[] = {
      {"Weichzeichner", [&] { return Click(ctl::kSmoothed), Display().displayMode == kSmoothed; }},
      {"Mess-Pixel", [&] { return Click(ctl::kMeasuredPixels), Display().displayMode == kMeasuredPixels; }},
      {"Transparenz", [&] { return transparency->setValue(30), Display().transparency == 30; }},
      {"Löschen", [&] {
         Image().StoreReading(5, 10, 80);
         Click(ctl::kClearImage);
         return Image().grid[5][10] == kNoReading;
       }},
      {"Edit, OK", [&] {
         WithNextModal<CWeichzeichnerDlg>([](CWeichzeichnerDlg& dialog) {
           dialog.findChild<QSlider*>(QStringLiteral("1093"))->setValue(45);
           dialog.accept();
         });
         Click(ctl::kEditSmoothing);
         return Image().kernelRadius != radius;
       }},
  };
  for (const auto& [name, change] : changes) {
    QCoreApplication::processEvents();  // paints still due
    const int before = paints.count;
    EXPECT_TRUE(change()) << name;
    EXPECT_TRUE(WaitFor([&] { return paints.count > before; })) << name;
  }
}

// Each scroll action of a bar moves the selected pictures its way.
TEST_F(WindowTest, ArrangementBarsMoveThePicturesAndFollowTheCheckBoxes) {
  Open();
  using A = QAbstractSlider;
  const auto bar = [&](int id) { return window_->ControlAs<QScrollBar>(id); };
  const auto rectOf = [](const PictureRect& p) { return std::tuple(p.x, p.y, p.width, p.height); };
  const PictureRect start = Display().leftPicture;
  const std::tuple<int, A::SliderAction, int PictureRect::*, int> moves[] = {
      {ctl::kBarPositionX, A::SliderSingleStepAdd, &PictureRect::x, +1},
      {ctl::kBarPositionX, A::SliderPageStepSub, &PictureRect::x, -1},
      {ctl::kBarPositionX, A::SliderToMinimum, &PictureRect::x, -1},
      {ctl::kBarPositionY, A::SliderSingleStepSub, &PictureRect::y, -1},  // the upper arrow
      {ctl::kBarPositionY, A::SliderPageStepAdd, &PictureRect::y, +1},
      {ctl::kBarWidth, A::SliderMove, &PictureRect::width, +1},  // the thumb dragged right
      {ctl::kBarWidth, A::SliderToMaximum, &PictureRect::width, +1},
      {ctl::kBarHeight, A::SliderToMinimum, &PictureRect::height, +1},  // the top: the tallest
  };
  for (const auto& [id, action, field, sign] : moves) {
    Click(ctl::kArrangementReset);
    ASSERT_EQ(rectOf(Display().leftPicture), rectOf(start));
    if (action == A::SliderMove) {
      bar(id)->setSliderPosition(bar(id)->value() + 50);
    } else {
      bar(id)->triggerAction(action);
    }
    const int change = Display().leftPicture.*field - start.*field;
    EXPECT_EQ((change > 0) - (change < 0), sign) << id << ", action " << action;
  }
  Click(ctl::kKeepAspect);
  EXPECT_FALSE(bar(ctl::kBarHeight)->isEnabled());
  Click(ctl::kLeftPicture);
  Click(ctl::kRightPicture);
  for (int id : {ctl::kBarPositionX, ctl::kBarPositionY, ctl::kBarWidth}) EXPECT_FALSE(bar(id)->isEnabled());
}

TEST_F(WindowTest, BackgroundButtonsShowReadAnewAndHideTheStill) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("webcam.bmp"));
  QSettings().setValue(QStringLiteral("SETTINGS/BACKGROUND"), path);
  Open();
  QSettings().remove(QStringLiteral("SETTINGS/BACKGROUND"));  // read at start-up
  EXPECT_EQ(window_->ControlAs<QLabel>(ctl::kBackgroundPathLabel)->text(), path);
  const auto save = [&](Colour colour) {
    QImage still(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    still.fill(colour);
    ASSERT_TRUE(still.save(path, "BMP"));
  };
  const auto shows = [&](Colour c) { return (Display().backgroundSurface.Pixel(0, 0) | 0xff000000u) == c; };

  save(kWhite);
  Click(ctl::kBackgroundVisible);
  ASSERT_TRUE(shows(kBlack));
  Click(ctl::kLoadPicture);
  EXPECT_TRUE(shows(kWhite));
  EXPECT_TRUE(Button(ctl::kBackgroundVisible)->isChecked());
  EXPECT_TRUE(window_->StatusText().contains(path));
  Click(ctl::kBackgroundVisible);
  EXPECT_TRUE(shows(kBlack));
  save(Rgb(200, 100, 50));  // read anew when the box is checked again
  Click(ctl::kBackgroundVisible);
  EXPECT_TRUE(shows(Rgb(200, 100, 50)));
  Click(ctl::kHideBackground);
  EXPECT_TRUE(shows(kBlack));
  EXPECT_TRUE(Button(ctl::kBackgroundVisible)->isChecked());
}

TEST_F(WindowTest, MouseOverThePictureShowsItsTemperatureAndOverAControlKeepsIt) {
  CTorvakDlg& window = Open();
  for (int column = 0; column < kGridColumns; ++column) {
    for (int row = 0; row < kGridRows; ++row) Image().StoreReading(column, row, 10 + 2 * (column + row));
  }
  PaintPicture();
  const WindowLayout& layout = window.Layout();
  const PictureRect& left = Display().leftPicture;  // its centre
  const QPoint over(layout.pictureArea.left + left.x + left.width / 2,
                    layout.pictureArea.top + left.y + left.height / 2);
  const std::string expected =
      MouseTemperatureText(Display(), Image(), layout.pictureArea, layout.scaleArea, over.x(), over.y());
  ASSERT_FALSE(expected.empty());
  const auto field = [&] { return window.ControlAs<QLineEdit>(ctl::kMouseField)->text().toStdString(); };
  QTest::mouseMove(&window, over);
  EXPECT_EQ(field(), expected);
  QTest::mouseMove(&window, Control(ctl::kPanelTabs)->geometry().center());
  EXPECT_EQ(field(), expected);
}
