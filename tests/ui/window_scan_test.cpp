// The window and its scan: what the scan reports reaches the controls and
// the picture, and every control of the scan reaches the scan.
#include "window_fixture.h"

#include <tuple>

#include "image/readout.h"
#include "ui/up_down.h"

// At start-up the stored port's button, the ambient temperature and the
// port's sentence show. An edge moves when the scan accepts it, and the
// picture's frame with it; after "Reset" of the range, moving one edge leaves
// the others where they are.
TEST_F(WindowTest, StartUpShowsTheScansPortAmbientAndStatusAndItsControlsReachIt) {
  for (int stored : {9, 3}) {  // no button stands for a port beyond "Com 8"
    adapter_ = std::make_shared<FakeAdapter>();  // the window's end aborts its adapter for good
    adapter_->Set([](FakeAdapter::Knobs& knobs) { knobs.ambientAnswers = {23}; });
    StorePortNumber(stored);
    Open();
    for (int number = kFirstComPort; number <= kLastComPort; ++number)
      EXPECT_EQ(Button(ctl::PortButton(number))->isChecked(), number == stored) << number;
  }
  const QString ambient = QString::fromStdString(DegreesText(23));
  EXPECT_TRUE(WaitFor([&] { return window_->ControlAs<QLineEdit>(ctl::kAmbientField)->text() == ambient; }));
  EXPECT_EQ(Image().Ambient(), 23);
  EXPECT_TRUE(window_->StatusText().contains(PortDevice(3)));
  for (const auto& [id, frame] :
       {std::pair{ctl::kMiddlePosition, PanWrite(15)}, {ctl::kReset, PanWrite(0)}, {ctl::kStop, TiltWrite(15)}}) {
    const auto from = static_cast<std::ptrdiff_t>(adapter_->Sent().size());
    Click(id);
    EXPECT_TRUE(WaitForFrame(frame, from)) << id;
  }
  Click(ctl::PortButton(6));
  EXPECT_TRUE(WaitFor([&] { return adapter_->OpenedNumbers().back() == 6; }));
  EXPECT_EQ(Button(ctl::PortButton(6))->toolTip(), PortDevice(6));
  // A step reaches the scan, and only the range the scan applies moves the edge.
  const auto step = [&](int id, RangeEdge edge, int delta) {
    const int before = Image().Range().Edge(edge);
    window_->ControlAs<UpDown>(id)->Step(delta);
    return WaitFor([&] { return Image().Range().Edge(edge) == before + delta; });
  };
  const QImage full = PaintPicture();
  for (const auto& [id, edge, delta] :
       {std::tuple{ctl::kTopEdge, RangeEdge::Top, -1}, {ctl::kBottomEdge, RangeEdge::Bottom, +1},
        {ctl::kLeftEdge, RangeEdge::Left, +1}, {ctl::kRightEdge, RangeEdge::Right, -1}}) {
    const QImage framed = PaintPicture();
    EXPECT_TRUE(step(id, edge, delta)) << id;
    EXPECT_NE(PaintPicture(), framed) << id;
  }
  Click(ctl::kRangeReset);
  EXPECT_EQ(PaintPicture(), full);
  EXPECT_TRUE(step(ctl::kRightEdge, RangeEdge::Right, -1));
  ScanRange rightEdgeIn;
  --rightEdgeIn.lastColumn;
  EXPECT_EQ(Image().Range(), rightEdgeIn);
}

// A demonstration shows its picture at once; a normal start waits on the settings page.
TEST_F(WindowTest, ADemonstrationStartsAPassOnTheCameraPageByItselfAndANormalStartDoesNot) {
  for (const bool demonstration : {false, true}) {
    SCOPED_TRACE(demonstration ? "demonstration" : "normal start");
    adapter_ = std::make_shared<FakeAdapter>();  // the window's end aborts its adapter for good
    CTorvakDlg& window = Open(demonstration ? RunDevice{"/dev/pts/7", kEmulatedHeadNumber} : RunDevice{});
    const int page = demonstration ? kPageKamera : kPageEinstellungen;
    EXPECT_EQ(window.ControlAs<QTabWidget>(ctl::kPanelTabs)->currentIndex(), page);
    for (int p = 0; p < kPageCount; ++p)
      for (int id : PageControls(p)) EXPECT_EQ(window.Control(id)->isVisibleTo(&window), p == page) << id;
    const std::int32_t* cells = &Image().Grid()[0][0];
    const auto scanned = [&] {
      return std::count(cells, cells + kGridColumns * kGridRows, FakeAdapter::Knobs{}.pixelAnswer) > 0;
    };
    EXPECT_EQ(WaitFor(scanned, demonstration ? 10000 : 200), demonstration) << "readings in the picture";
  }
}

// No group box or tab page lies over a control of its page and takes its clicks.
TEST_F(WindowTest, EveryControlOfAPageTakesTheClicksOnIt) {
  CTorvakDlg& window = Open();
  for (int page = 0; page < kPageCount; ++page) {
    window.ControlAs<QTabWidget>(ctl::kPanelTabs)->setCurrentIndex(page);
    for (int id : PageControls(page)) {
      QWidget* control = window.Control(id);
      if (qobject_cast<QGroupBox*>(control) != nullptr) continue;
      QWidget* hit = window.childAt(control->geometry().center());
      EXPECT_TRUE(hit == control || control->isAncestorOf(hit)) << control->objectName().toStdString();
    }
  }
}

// A running scan: its readings reach the image and the picture; it waits while a modal dialog
// is open and goes on after; the option boxes send both options: off, "Stopp nach einem
// Durchlauf" lets it go on into its next frame; on, the pass ends by itself.
TEST_F(WindowTest, ARunningScanShowsItsReadingsWaitsForDialogsAndFollowsTheOptionBoxes) {
  CTorvakDlg& window = Open();
  const QRect picture = ToRect(window.Layout().pictureArea);
  const QImage before = window.grab(picture).toImage().convertToFormat(QImage::Format_RGB32);
  const int paints = picturePaints_;
  StartAndHoldAfter(TiltWrite(17));  // the second of the first frame's four rows
  const std::int32_t* cells = &Image().Grid()[0][0];
  const int value = FakeAdapter::Knobs{}.pixelAnswer;
  ASSERT_TRUE(WaitFor([&] { return window.Scanning() && std::count(cells, cells + kGridColumns * kGridRows, value); }));
  EXPECT_TRUE(WaitFor([&] { return picturePaints_ > paints; }));
  const QImage shown = window.grab(picture).toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(shown, before);
  EXPECT_EQ(shown, SurfaceImage(Display().compositeSurface));

  int row = 17;  // where the scan is held
  const std::pair<const char*, std::function<void()>> dialogs[] = {
      {"About (F1)", [&] { QTest::keyClick(&window, Qt::Key_F1); }}, {"Edit", [&] { Click(ctl::kEditSmoothing); }}};
  for (const auto& [name, open] : dialogs) {
    ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); })) << name;
    QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
    bool pausedWhileOpen = false;
    WithNextModal<QDialog>([&](QDialog& dialog) {
      adapter_->Release(TiltWrite(++row));  // the step in hand ends first
      pausedWhileOpen = WaitFor([&] { return !window.Scanning(); });
      scanning.clear();
      dialog.reject();
    });
    open();
    EXPECT_TRUE(pausedWhileOpen) << name;
    EXPECT_TRUE(WaitFor([&] { return !scanning.isEmpty() && scanning.first().first().toBool(); })) << name;
  }
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));  // in the first frame's last row
  Click(ctl::kStopAfterPass);
  const auto sent = static_cast<std::ptrdiff_t>(adapter_->Sent().size());
  adapter_->Release(TiltWrite(17));  // in the next frame, if there is one
  ASSERT_TRUE(WaitForFrame(TiltWrite(17), sent)) << "no second frame";
  Button(ctl::kStopAfterPass)->setChecked(true);  // sent by the next click of either box
  Click(ctl::kBothDirections);
  adapter_->Release(TiltWrite(17));
  EXPECT_TRUE(WaitFor([&] { return !window.Scanning(); })) << "the pass did not end by itself";
  Click(ctl::kStop);  // should it not have ended, before the window's end releases it
}
