// "Edit" on the window: the smoothing settings dialog, what OK and
// "Abbrechen" leave behind, and the scan paused around it.
#include "picture_tools_fixture.h"

#include <QPushButton>

#include "ui/weichzeichner_dlg.h"

namespace {

class SmoothingTest : public PictureToolsTest {
 protected:
  void SetUp() override {
    PictureToolsTest::SetUp();
    Open();
    SelectTab(kPageWaermebild);
  }
  // Clicks "Edit"; whileOpen acts in the dialog, then the button closes it.
  void Edit(const std::function<void(CWeichzeichnerDlg&)>& whileOpen, const char* closingButton) {
    bool ran = false;
    WithNextModal<CWeichzeichnerDlg>([&](CWeichzeichnerDlg& dialog) {
      ran = true;
      whileOpen(dialog);
      dialog.findChild<QPushButton*>(QString::fromLatin1(closingButton))->click();
    });
    Click(ctl::kEditSmoothing);  // returns when the dialog is closed
    EXPECT_TRUE(ran);
  }
  static QSlider* RadiusBar(CWeichzeichnerDlg& dialog) {
    return dialog.findChild<QSlider*>(QStringLiteral("1093"));
  }
  static constexpr const char* kOk = "1";
  static constexpr const char* kCancel = "2";
};

}  // namespace

TEST_F(SmoothingTest, OkAppliesTheWholeRadiusAndRepaintsAbbrechenLeavesEverything) {
  ThermalImage& image = window_->Image();
  image.StoreReading(5, 10, 80);
  PicturePaintCounter paints(*window_);
  int openedAt = -1;
  Edit([&](CWeichzeichnerDlg& dialog) {
    openedAt = RadiusBar(dialog)->value();
    RadiusBar(dialog)->setValue(45);
  }, kOk);
  EXPECT_EQ(openedAt, 200);
  EXPECT_EQ(image.kernelRadius, 4);
  EXPECT_DOUBLE_EQ(image.kernelHalfWidth, 0.6);
  EXPECT_EQ(&window_->SettingsDialog(), window_->findChild<CWeichzeichnerDlg*>());
  EXPECT_TRUE(WaitFor([&] { return paints.count > 0; }));
  // The smoothed picture's margin follows the radius: -4 - 31 * 4 / 240, truncated, is -4.
  Click(ctl::kSmoothed);
  EXPECT_EQ(window_->DisplayRecord().LayerAt(36 + 3, 200), kNoLayer);
  EXPECT_EQ(window_->DisplayRecord().LayerAt(36 + 4, 200), kLeftLayer);

  QTest::qWait(50);  // paints still under way end first
  const int paintsBefore = paints.count;
  Edit([&](CWeichzeichnerDlg& dialog) {
    openedAt = RadiusBar(dialog)->value();
    RadiusBar(dialog)->setValue(300);
  }, kCancel);
  EXPECT_EQ(openedAt, 40);  // opened with the applied radius
  EXPECT_EQ(image.kernelRadius, 4);
  QTest::qWait(50);
  EXPECT_EQ(paints.count, paintsBefore);
}

TEST_F(SmoothingTest, ARunningScanWaitsWhileTheDialogIsOpen) {
  SelectTab(kPageKamera);
  adapter_->HoldAfter(PanWrite(5));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  SelectTab(kPageWaermebild);

  std::size_t parked = kNotSent;
  bool pausedWhileOpen = false;
  Edit([&](CWeichzeichnerDlg&) {
    adapter_->Release();
    parked = WaitForFrame(TiltWrite(15));
    pausedWhileOpen = WaitFor([&] { return !window_->Scanning(); });
  }, kOk);
  ASSERT_NE(parked, kNotSent);
  EXPECT_TRUE(pausedWhileOpen);
  // Resumed: the tilt back to 16 and the next pan step.
  const std::size_t resumed = WaitForFrame(TiltWrite(16), parked);
  ASSERT_NE(resumed, kNotSent);
  EXPECT_NE(WaitForFrame(PanWrite(6), resumed), kNotSent);
  EXPECT_TRUE(WaitFor([&] { return window_->Scanning(); }));
  SelectTab(kPageKamera);
  Click(ctl::kStop);
  EXPECT_TRUE(WaitFor([&] { return !window_->Scanning(); }));
}
