// The window and its scan: what the scan reports reaches the controls and
// the picture, and every control of the scan reaches the scan.
#include "window_fixture.h"

#include <QLineEdit>
#include <QSignalSpy>

#include "overlay/surface_image.h"
#include "ui/up_down.h"

TEST_F(WindowTest, StartUpShowsTheScansReports) {
  for (int stored : {9, 3}) {  // no button stands for a port beyond "Com 8"
    adapter_ = std::make_shared<FakeAdapter>();  // the window's end aborts its adapter for good
    adapter_->Set([](FakeAdapter::Knobs& knobs) { knobs.ambientAnswers = {23}; });
    StorePortNumber(stored);
    Open();
    for (int id = ctl::kFirstPort; id <= ctl::kLastPort; ++id) {
      EXPECT_EQ(Button(id)->isChecked(), id - ctl::kFirstPort + 1 == stored) << id;
    }
  }
  QLineEdit* ambient = window_->ControlAs<QLineEdit>(ctl::kAmbientField);
  EXPECT_TRUE(WaitFor([&] { return ambient->text() == "23 \u00b0 C"; }));
  EXPECT_EQ(Image().ambientTemperature, 23);
  EXPECT_FALSE(window_->StatusText().isEmpty());
}

TEST_F(WindowTest, CommandButtonsReachTheScan) {
  Open();
  const std::pair<int, Bytes> commands[] = {
      {ctl::kMiddlePosition, PanWrite(15)}, {ctl::kReset, PanWrite(0)}, {ctl::kStop, TiltWrite(15)}};
  for (const auto& [id, frame] : commands) {
    const std::size_t before = adapter_->Sent().size();
    Click(id);
    EXPECT_TRUE(WaitForFrame(frame, before)) << id;
  }
}

TEST_F(WindowTest, StartedScanStoresItsReadingsAndShowsThemInThePicture) {
  CTorvakDlg& window = Open();
  const QRect picture = ToRect(window.Layout().pictureArea);
  const QImage before = window.grab(picture).toImage();
  PicturePaints paints(window);
  StartAndHoldAfter(PanWrite(2));  // a whole step, then wait inside the next
  const auto read = [&] {
    return std::any_of(&Image().grid[0][0], &Image().grid[0][0] + kGridColumns * kGridRows,
                       [](int value) { return value == FakeAdapter::Knobs{}.pixelAnswer; });
  };
  ASSERT_TRUE(WaitFor([&] { return window.Scanning() && read(); }));
  EXPECT_TRUE(WaitFor([&] { return paints.count > 0; }));
  const QImage shown = window.grab(picture).toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(shown, before.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(shown, SurfaceImage(Display().compositeSurface));
}

// The option boxes send both options: off, "Stopp nach einem Durchlauf" lets
// the scan go on into its next frame; on, the pass ends by itself.
TEST_F(WindowTest, OptionBoxesReachTheScan) {
  CTorvakDlg& window = Open();
  Click(ctl::kStopAfterPass);
  StartAndHoldAfter(TiltWrite(17));  // a row of the first frame
  adapter_->Release();
  adapter_->HoldAfter(TiltWrite(17));
  EXPECT_TRUE(WaitFor([&] { return adapter_->Holding(); })) << "no second frame";
  Click(ctl::kStop);
  adapter_->Release();
  ASSERT_TRUE(WaitFor([&] { return !window.Scanning(); }));

  Button(ctl::kStopAfterPass)->setChecked(true);  // sent by the next click of either box
  Click(ctl::kBothDirections);
  QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
  Click(ctl::kStart);
  EXPECT_TRUE(WaitFor([&] { return scanning.count() == 2; })) << "the pass did not end by itself";
}

// While a modal dialog is open a running scan waits; it goes on after.
TEST_F(WindowTest, AboutBoxAndSmoothingDialogPauseARunningScan) {
  const std::pair<const char*, std::function<void()>> dialogs[] = {
      {"About (F1)", [&] { QTest::keyClick(window_.get(), Qt::Key_F1); }},
      {"Edit", [&] { Click(ctl::kEditSmoothing); }}};
  for (const auto& [name, open] : dialogs) {
    adapter_ = std::make_shared<FakeAdapter>();
    Open();
    StartAndHoldAfter(PanWrite(5));
    QSignalSpy scanning(&window_->Scan(), &ScanService::scanningChanged);
    bool pausedWhileOpen = false;
    WithNextModal<QDialog>([&](QDialog& dialog) {
      adapter_->Release();  // the step in hand ends first
      pausedWhileOpen = WaitFor([&] { return !window_->Scanning(); });
      scanning.clear();
      dialog.reject();
    });
    open();
    EXPECT_TRUE(pausedWhileOpen) << name;
    EXPECT_TRUE(WaitFor([&] { return !scanning.isEmpty() && scanning.first().first().toBool(); }))
        << name << ": not resumed";
  }
}

TEST_F(WindowTest, ComButtonsOpenTheirPortAndShowTheirDevice) {
  Open();
  Click(ctl::kFirstPort + 5);
  EXPECT_TRUE(WaitFor([&] { return adapter_->OpenedNumbers().back() == 6; }));
  EXPECT_TRUE(Button(ctl::kFirstPort + 5)->isChecked());
  EXPECT_FALSE(Button(ctl::kFirstPort + 2)->isChecked());
  EXPECT_EQ(Control(ctl::kFirstPort + 5)->toolTip(), PortDevice(6));
}

// Each edge moves when the scan accepts it, and the picture's frame with it.
TEST_F(WindowTest, EdgeArrowsAskTheScanAndRangeResetRestoresTheFullRange) {
  Open();
  const auto imageRange = [&] {
    return Image().range;
  };
  const std::pair<int, int> inward[] = {
      {ctl::kTopEdge, -1}, {ctl::kBottomEdge, +1}, {ctl::kLeftEdge, +1}, {ctl::kRightEdge, -1}};
  for (const auto& [id, step] : inward) {
    UpDown* edge = window_->ControlAs<UpDown>(id);
    const int before = edge->Position();
    edge->Step(step);
    ASSERT_TRUE(WaitFor([&] { return !edge->ProposalPending(); })) << id;
    EXPECT_EQ(edge->Position(), before + step) << id;
  }
  EXPECT_EQ(imageRange(), (ScanRange{1, 60, 1, 30}));

  Click(ctl::kRangeReset);
  EXPECT_TRUE(WaitFor([&] { return imageRange() == ScanRange{}; }));
  EXPECT_EQ(window_->ControlAs<UpDown>(ctl::kLeftEdge)->Position(), ScanRange{}.firstColumn);
  EXPECT_EQ(window_->ControlAs<UpDown>(ctl::kTopEdge)->Position(), ScanRange{}.lastRow);
}
