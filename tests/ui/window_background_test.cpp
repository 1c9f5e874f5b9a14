// The background picture and the transparency as the window's buttons, check
// box and trackbar drive them, with the file named by the BACKGROUND setting.
#include "picture_tools_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>

namespace {

class BackgroundTest : public PictureToolsTest {
 protected:
  void SetUp() override {
    PictureToolsTest::SetUp();
    path_ = dir_.filePath(QStringLiteral("webcam.bmp"));
    UseBackgroundFile(path_);
  }

  void Save(const QImage& picture) {
    QDir(path_).removeRecursively();
    QFile::remove(path_);
    ASSERT_TRUE(picture.save(path_, "BMP"));
  }

  bool BackgroundIs(Colour colour) const {
    return SamePixels(ImageOf(Display().backgroundSurface), PlainPicture(QColor::fromRgb(colour)));
  }

  QString path_;
};

// A reading of 30 shows palette entry 24, RGB(0, 204, 51).
constexpr Colour kThirty = Rgb(0, 204, 51);

}  // namespace

TEST_F(BackgroundTest, BildLadenShowsTheFileOfTheSettingExactlyAndChecksTheBox) {
  const QImage picture = PatternPicture(640, 480);
  Save(picture);
  Open();
  EXPECT_EQ(window_->ControlAs<QLabel>(ctl::kBackgroundPathLabel)->text(), path_);
  EXPECT_TRUE(BackgroundIs(kBlack));  // nothing is read at start

  SelectTab(kPageWaermebild);
  Click(ctl::kBackgroundVisible);
  ASSERT_FALSE(Button(ctl::kBackgroundVisible)->isChecked());
  SelectTab(kPageEinstellungen);
  Click(ctl::kLoadPicture);
  EXPECT_TRUE(Button(ctl::kBackgroundVisible)->isChecked());
  EXPECT_TRUE(ShowsTopLeftOf(Display().backgroundSurface, picture));
  PaintNow();
  // Outside the thermal pictures the area shows the background unchanged.
  for (QPoint p : {QPoint(0, 0), QPoint(639, 0), QPoint(0, 479), QPoint(639, 479), QPoint(320, 100)}) {
    EXPECT_EQ(CompositeAt(p) & 0xffffffu, picture.pixel(p) & 0xffffffu) << p.x() << ", " << p.y();
  }
  EXPECT_TRUE(window_->StatusText().contains(path_));
}

TEST_F(BackgroundTest, LargerPictureShowsItsTopLeftQuarterUnscaled) {
  const QImage picture = PatternPicture(1280, 960);
  Save(picture);
  Open();
  Click(ctl::kLoadPicture);
  EXPECT_TRUE(ShowsTopLeftOf(Display().backgroundSurface, picture));
}

TEST_F(BackgroundTest, UncheckingDarkensTheColoursAndCheckingReadsAReplacedFileAnew) {
  Save(PlainPicture(Qt::white));
  Open();
  window_->Image().StoreReading(5, 10, 30);
  Click(ctl::kLoadPicture);
  PaintNow();
  const QPoint cell = CellCentre(5, 10);
  EXPECT_EQ(CompositeAt(cell), Rgb(127, 229, 153));  // half (0, 204, 51), half white, truncated

  SelectTab(kPageWaermebild);
  Click(ctl::kBackgroundVisible);
  EXPECT_TRUE(BackgroundIs(kBlack));
  PaintNow();
  EXPECT_EQ(CompositeAt(cell), Rgb(0, 102, 25));
  EXPECT_EQ(CompositeAt(QPoint(10, 10)), kBlack);

  Save(PlainPicture(QColor(200, 100, 50)));
  Click(ctl::kBackgroundVisible);
  EXPECT_TRUE(BackgroundIs(Rgb(200, 100, 50)));
  PaintNow();
  EXPECT_EQ(CompositeAt(QPoint(10, 10)), Rgb(200, 100, 50));

  // The hidden "Bild Ausblenden" clears the picture and leaves the box alone.
  Button(ctl::kHideBackground)->click();
  EXPECT_TRUE(BackgroundIs(kBlack));
  EXPECT_TRUE(Button(ctl::kBackgroundVisible)->isChecked());
}

TEST_F(BackgroundTest, TransparencyTrackbarWeighsTheBackgroundAndGreyCellsAlwaysShowIt) {
  Save(PlainPicture(QColor(200, 100, 50)));
  Open();
  window_->Image().StoreReading(5, 10, 30);
  Click(ctl::kLoadPicture);
  SelectTab(kPageWaermebild);
  const QPoint cell = CellCentre(5, 10);
  const QPoint unmeasured = CellCentre(6, 10);

  PaintNow();
  EXPECT_EQ(CompositeAt(cell), Rgb(100, 152, 50));  // 50 %: (0 + 200) / 2, (204 + 100) / 2, (51 + 50) / 2
  QTest::keyClick(Transparency(), Qt::Key_Home);
  EXPECT_EQ(Display().transparency, 0);
  PaintNow();
  EXPECT_EQ(CompositeAt(cell), kThirty);
  EXPECT_EQ(CompositeAt(unmeasured), Rgb(200, 100, 50));
  QTest::keyClick(Transparency(), Qt::Key_End);
  EXPECT_EQ(Display().transparency, 100);
  PaintNow();
  EXPECT_EQ(CompositeAt(cell), Rgb(200, 100, 50));
  QTest::keyClick(Transparency(), Qt::Key_Left);
  EXPECT_EQ(Display().transparency, 99);
  PaintNow();
  EXPECT_EQ(CompositeAt(cell), Rgb(198, 101, 50));  // 0.01 * c + 0.99 * b, truncated
}

TEST_F(BackgroundTest, AFileThatCannotBeReadLeavesBlackAndSaysWhy) {
  const QImage picture = PatternPicture(640, 480);
  Open();
  SelectTab(kPageEinstellungen);
  const std::vector<std::pair<const char*, std::function<void()>>> badFiles{
      {"missing", [&] { QFile::remove(path_); }},
      {"a folder", [&] { QFile::remove(path_), QDir().mkdir(path_); }},
      {"not a picture", [&] {
         QFile file(path_);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write(QByteArray(5000, 'x'));
       }},
  };
  for (const auto& [what, makeBad] : badFiles) {
    Save(picture);
    Click(ctl::kLoadPicture);
    ASSERT_TRUE(ShowsTopLeftOf(Display().backgroundSurface, picture)) << what;
    const QString loaded = window_->StatusText();
    makeBad();
    Click(ctl::kLoadPicture);
    EXPECT_TRUE(BackgroundIs(kBlack)) << what;
    EXPECT_TRUE(Button(ctl::kBackgroundVisible)->isChecked()) << what;
    EXPECT_NE(window_->StatusText(), loaded) << what;
    EXPECT_TRUE(window_->StatusText().contains(path_)) << what;
  }
}
