// The scan as the window drives it: "Start", "Stopp", a pass that ends by
// itself, the About box's pause, "Mittelposition", and a window that keeps
// answering while the scan's worker is stuck inside a step.
#include "window_fixture.h"

#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>

#include "ui/about_dlg.h"

namespace {

// Counts what the window handles: paints of the picture area and mouse moves.
class EventCounter : public QObject {
 public:
  explicit EventCounter(CTorvakDlg& window) : picture_(280, 10, 640, 480) { window.installEventFilter(this); }
  int picturePaintCount = 0;
  int mouseMoveCount = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && static_cast<QPaintEvent*>(event)->region().intersects(picture_)) {
      ++picturePaintCount;
    }
    if (event->type() == QEvent::MouseMove) ++mouseMoveCount;
    return false;
  }

 private:
  QRect picture_;
};

bool AllCellsHold(const ThermalImage& image, int value) {
  for (int column = 0; column < kGridColumns; ++column) {
    for (int row = 0; row < kGridRows; ++row) {
      if (image.grid[column][row] != value) return false;
    }
  }
  return true;
}


}  // namespace

TEST_F(WindowTest, StartStoresEachStepsReadingsAndRepaintsThePicture) {
  CTorvakDlg& window = Open();
  EventCounter events(window);
  SelectTab(kPageKamera);
  const std::size_t startedAt = Sent().size();
  adapter_->HoldAfter(PanWrite(2));  // two steps, then wait for the test
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));

  // The first step reads column 31 of module 0xD2, then column 0 of module
  // 0xD0, at offset 0 and pan 0, and moves on to pan 1.
  const Bytes sent = Sent();
  const std::size_t tilt = Find(sent, TiltWrite(16), startedAt);
  const std::size_t right = Find(sent, ReadFrame(0xD3, 2), startedAt);
  const std::size_t left = Find(sent, ReadFrame(0xD1, 9), startedAt);
  const std::size_t pan = Find(sent, PanWrite(1), startedAt);
  EXPECT_LT(tilt, right);
  EXPECT_LT(right, left);
  EXPECT_LT(left, pan);
  EXPECT_LT(pan, sent.size());
  ASSERT_TRUE(
      WaitFor([&] { return window.Scanning() && window.Image().grid[1][28] == kPixelAnswer; }));
  const ThermalImage& image = window.Image();
  for (int row = 0; row < kGridRows; row += 4) {
    for (int column : {0, 31, 1, 32}) EXPECT_EQ(image.grid[column][row], kPixelAnswer) << column;
    EXPECT_EQ(image.grid[0][row + 1], kNoReading);  // offset 1 not reached yet
    EXPECT_EQ(image.grid[2][row], kNoReading);      // pan 2 not read yet
  }
  // Every step asks for a repaint; the paint composes the new readings:
  // cell (column 0, row 0) lies at x 36..43, y 330..335 of the picture.
  EXPECT_TRUE(WaitFor([&] { return events.picturePaintCount >= 2; }));
  const Colour shown = window.DisplayRecord().compositeSurface.Pixel(40, 332);
  EXPECT_NE(shown, kBlack);
  EXPECT_EQ(shown, window.grab(QRect(280 + 40, 10 + 332, 1, 1)).toImage().pixel(0, 0));

  adapter_->Release();
  Click(ctl::kStop);
  EXPECT_TRUE(WaitFor([&] { return !window.Scanning(); }));
}

TEST_F(WindowTest, PassWithStopAfterOnePassEndsByItselfAndParksTheTilt) {
  CTorvakDlg& window = Open();
  QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
  SelectTab(kPageKamera);
  const std::size_t startedAt = Sent().size();
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return scanning.count() == 2; }));
  EXPECT_TRUE(scanning.at(0).at(0).toBool());
  EXPECT_FALSE(scanning.at(1).at(0).toBool());
  EXPECT_FALSE(window.Scanning());

  // 124 steps of 16 reads each; the last one resets the tilt to 16, the
  // tick after it parks it at 15.
  const Bytes sent = Sent();
  const Bytes pass(sent.begin() + static_cast<std::ptrdiff_t>(startedAt), sent.end());
  EXPECT_EQ(Count(pass, ReadFrame(0xD3, 2)), 124);
  EXPECT_EQ(Count(pass, ReadFrame(0xD1, 9)), 124);
  Bytes end = TiltWrite(16);
  const Bytes park = TiltWrite(15);
  end.insert(end.end(), park.begin(), park.end());
  ASSERT_GE(pass.size(), end.size());
  EXPECT_TRUE(std::equal(end.begin(), end.end(), pass.end() - static_cast<std::ptrdiff_t>(end.size())));
  // The window stored every reading of the pass.
  EXPECT_TRUE(WaitFor([&] { return AllCellsHold(window.Image(), kPixelAnswer); }));
}

TEST_F(WindowTest, StoppParksTheTiltAndNoStepFollows) {
  CTorvakDlg& window = Open();
  SelectTab(kPageKamera);
  Click(ctl::kStop);  // without a scan it parks the tilt all the same
  ASSERT_NE(WaitForFrame(TiltWrite(15)), kNotSent);

  Click(ctl::kStopAfterPass);  // frames follow each other until "Stopp"
  ASSERT_FALSE(Button(ctl::kStopAfterPass)->isChecked());
  Click(ctl::kStart);
  const std::size_t third = WaitForFrame(PanWrite(3));
  ASSERT_NE(third, kNotSent);
  Click(ctl::kStop);
  ASSERT_TRUE(WaitFor([&] { return !window.Scanning(); }));
  const std::size_t parked = WaitForFrame(TiltWrite(15), third);
  ASSERT_NE(parked, kNotSent);

  // "Reset" goes to the worker after "Stopp": any step after the park would
  // show up before the reset's frames.
  Click(ctl::kReset);
  const std::size_t reset = WaitForFrame(PanWrite(0), parked);
  ASSERT_NE(reset, kNotSent);
  const Bytes sent = Sent();
  EXPECT_EQ(Find(sent, ReadFrame(0xD3, 2), parked), Find(sent, ReadFrame(0xD3, 2), reset));
  EXPECT_FALSE(window.Scanning());
}

TEST_F(WindowTest, AboutBoxPausesARunningScanAndTheScanGoesOnWhereItWas) {
  CTorvakDlg& window = Open();
  SelectTab(kPageKamera);
  adapter_->HoldAfter(PanWrite(5));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));

  std::size_t parked = kNotSent;
  bool pausedWhileOpen = false;
  WithNextModal<QDialog>([&](QDialog& about) {
    adapter_->Release();
    parked = WaitForFrame(TiltWrite(15));
    pausedWhileOpen = WaitFor([&] { return !window.Scanning(); });
    about.accept();
  });
  window.AboutAction()->trigger();  // returns when the box is closed
  ASSERT_NE(parked, kNotSent);
  EXPECT_TRUE(pausedWhileOpen);
  EXPECT_GT(parked, Find(Sent(), PanWrite(5)));

  // Resumed: the tilt back to 16 (offset 0), then the column at pan 5 and the move to 6.
  const std::size_t resumed = WaitForFrame(TiltWrite(16), parked);
  ASSERT_NE(resumed, kNotSent);
  const std::size_t next = WaitForFrame(PanWrite(6), resumed);
  ASSERT_NE(next, kNotSent);
  const Bytes sent = Sent();
  EXPECT_LT(Find(sent, ReadFrame(0xD3, 2), resumed), next);
  EXPECT_EQ(Find(sent, ReadFrame(0xD3, 2), parked),
            Find(sent, ReadFrame(0xD3, 2), resumed));  // no step while open
  EXPECT_TRUE(WaitFor([&] { return window.Scanning(); }));
  Click(ctl::kStop);
  EXPECT_TRUE(WaitFor([&] { return !window.Scanning(); }));
}

TEST_F(WindowTest, AboutBoxWithoutAScanSendsNothingAndStartsNoScan) {
  CTorvakDlg& window = Open();
  QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
  const std::size_t before = Sent().size();
  QString opened;
  WithNextModal<QDialog>([&](QDialog& about) {
    opened = about.windowTitle();
    about.reject();
  });
  QTest::keyClick(&window, Qt::Key_F1);
  EXPECT_EQ(opened.toStdString(), "Info über Torvak");
  // A round trip through the worker: "Reset" comes after the box's resume.
  SelectTab(kPageKamera);
  Click(ctl::kReset);
  ASSERT_NE(WaitForFrame(PanWrite(0), before), kNotSent);
  const Bytes sent = Sent();
  EXPECT_EQ(Find(sent, TiltWrite(15), before), sent.size());
  EXPECT_EQ(Find(sent, TiltWrite(16), before), sent.size());
  EXPECT_EQ(scanning.count(), 0);
}

TEST_F(WindowTest, ContextMenuOffersTheAboutBox) {
  CTorvakDlg& window = Open();
  QStringList entries;
  QTimer::singleShot(0, [&] {
    WaitFor([] { return QApplication::activePopupWidget() != nullptr; });
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* action : menu->actions()) entries << action->text();
      menu->close();
    }
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(600, 200), window.mapToGlobal(QPoint(600, 200)));
  QApplication::sendEvent(&window, &event);
  EXPECT_EQ(entries, QStringList{QString::fromUtf8(kAboutEntry)});
}

TEST_F(WindowTest, MittelpositionDisablesStartUntilReset) {
  CTorvakDlg& window = Open();
  QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
  const std::size_t before = Sent().size();
  Click(ctl::kMiddlePosition);
  EXPECT_FALSE(Control(ctl::kStart)->isEnabled());
  const std::size_t middle = WaitForFrame(PanWrite(15), before);
  ASSERT_NE(middle, kNotSent);
  EXPECT_NE(WaitForFrame(TiltWrite(16), middle), kNotSent);  // the tilt reset
  EXPECT_FALSE(Control(ctl::kStart)->isEnabled());

  SelectTab(kPageKamera);
  Click(ctl::kStart);  // disabled: nothing happens
  Click(ctl::kReset);
  ASSERT_NE(WaitForFrame(PanWrite(0), middle), kNotSent);
  EXPECT_TRUE(WaitFor([&] { return Control(ctl::kStart)->isEnabled(); }));
  EXPECT_EQ(scanning.count(), 0);
}

TEST_F(WindowTest, DisplayModeButtonsSwitchThePictureAndLoeschenClearsIt) {
  CTorvakDlg& window = Open();
  SelectTab(kPageWaermebild);
  // The smoothed picture's margins leave the corner of the left picture uncovered.
  EXPECT_EQ(window.DisplayRecord().LayerAt(36, 144), kLeftLayer);
  Click(ctl::kSmoothed);
  EXPECT_EQ(window.DisplayRecord().displayMode, kSmoothed);
  EXPECT_EQ(window.DisplayRecord().LayerAt(36, 144), kNoLayer);
  EXPECT_FALSE(Button(ctl::kMeasuredPixels)->isChecked());
  Click(ctl::kMeasuredPixels);
  EXPECT_EQ(window.DisplayRecord().displayMode, kMeasuredPixels);
  EXPECT_EQ(window.DisplayRecord().LayerAt(36, 144), kLeftLayer);
  EXPECT_FALSE(Button(ctl::kSmoothed)->isChecked());

  SelectTab(kPageKamera);
  adapter_->HoldAfter(PanWrite(1));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  // Row 28 of column 0 is the step's last reading.
  ASSERT_TRUE(WaitFor([&] { return window.Image().grid[0][28] == kPixelAnswer; }));
  SelectTab(kPageWaermebild);
  Click(ctl::kClearImage);
  EXPECT_TRUE(AllCellsHold(window.Image(), kNoReading));
  adapter_->Release();
}

// While the worker hangs in an exchange, the window switches pages, paints
// and takes mouse moves; a "Stopp" given meanwhile acts after the step.
TEST_F(WindowTest, WindowAnswersWhileTheWorkerIsHeldInsideAStep) {
  CTorvakDlg& window = Open();
  EventCounter events(window);
  SelectTab(kPageKamera);
  const std::size_t startedAt = Sent().size();
  adapter_->HoldAfter(ReadFrame(0xD1, 5));  // in the middle of the first column read
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));

  SelectTab(kPageWaermebild);
  EXPECT_TRUE(Shown(ctl::kSmoothed));
  EXPECT_FALSE(Shown(ctl::kStart));
  const int paints = events.picturePaintCount;
  window.RepaintPicture();
  EXPECT_TRUE(WaitFor([&] { return events.picturePaintCount > paints; }));
  QTest::mouseMove(&window, QPoint(500, 300));
  QTest::mouseMove(&window, QPoint(510, 310));
  EXPECT_TRUE(WaitFor([&] { return events.mouseMoveCount >= 1; }));
  SelectTab(kPageKamera);
  Click(ctl::kStop);
  EXPECT_TRUE(adapter_->Holding());
  EXPECT_EQ(Find(Sent(), TiltWrite(15), startedAt), Sent().size());

  adapter_->Release();
  const std::size_t parked = WaitForFrame(TiltWrite(15), startedAt);
  ASSERT_NE(parked, kNotSent);
  const Bytes sent = Sent();
  // The held step finished first: its last read and its pan move precede the park.
  EXPECT_LT(Find(sent, ReadFrame(0xD1, 9), startedAt), parked);
  EXPECT_LT(Find(sent, PanWrite(1), startedAt), parked);
  EXPECT_FALSE(adapter_->HoldTimedOut());
  EXPECT_TRUE(WaitFor([&] { return !window.Scanning(); }));
}

TEST_F(WindowTest, ClosingTheWindowDuringAHeldStepEndsTheWorkerAtOnce) {
  Open();
  SelectTab(kPageKamera);
  adapter_->HoldAfter(ReadFrame(0xD3, 3));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  window_->close();
  window_.reset();  // stops and joins the worker
  EXPECT_FALSE(adapter_->Holding());
  EXPECT_FALSE(adapter_->HoldTimedOut());
}
