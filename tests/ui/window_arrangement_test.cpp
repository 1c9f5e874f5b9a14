// The group "Anordnung" through its real scroll bars, check boxes and
// buttons: ranges, thumbs, placements and the layer map that follows them.
#include "picture_tools_fixture.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace {

// Range, value and enabled state of a bar; x, y, width and height of a picture.
using BarState = std::tuple<int, int, int, bool>;
using Rect = std::array<int, 4>;

BarState StateOf(const QScrollBar* bar) {
  return {bar->minimum(), bar->maximum(), bar->value(), bar->isEnabled()};
}
Rect RectOf(const PictureRect& p) { return {p.x, p.y, p.width, p.height}; }

constexpr Rect kStartLeft{36, 144, 248, 192};
constexpr Rect kStartRight{356, 144, 248, 192};

// Where a part of the bar (arrow, trough, thumb) lies, as the style draws it.
QPoint PartOf(const QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

class ArrangementTest : public PictureToolsTest {
 protected:
  void SetUp() override {
    PictureToolsTest::SetUp();
    Open();
    SelectTab(kPageWaermebild);
  }
  Rect Left() const { return RectOf(Display().leftPicture); }
  Rect Right() const { return RectOf(Display().rightPicture); }
  // What dragging the thumb to value sends: a slider move.
  void Drag(int id, int value) { Bar(id)->setSliderPosition(value); }
};

}  // namespace

TEST_F(ArrangementTest, StartUpGivesTheBarsTheirRangesAndNeutralThumbs) {
  EXPECT_EQ(StateOf(Bar(ctl::kBarPositionX)), (BarState{-284, 284, 0, true}));
  EXPECT_EQ(StateOf(Bar(ctl::kBarPositionY)), (BarState{-336, 336, 0, true}));
  EXPECT_EQ(StateOf(Bar(ctl::kBarWidth)), (BarState{12, 516, 100, true}));
  // Reversed: the value 100 sits at 16 + 500 - 100.
  EXPECT_EQ(StateOf(Bar(ctl::kBarHeight)), (BarState{16, 500, 416, true}));
  EXPECT_EQ(Bar(ctl::kBarPositionY)->orientation(), Qt::Vertical);
  EXPECT_EQ(Bar(ctl::kBarHeight)->orientation(), Qt::Vertical);
  EXPECT_EQ(Left(), kStartLeft);
  EXPECT_EQ(Right(), kStartRight);
}

TEST_F(ArrangementTest, WidthDraggedToTwoHundredGrowsThePairAboutTheCentreAndBackRestoresIt) {
  PicturePaintCounter paints(*window_);
  Drag(ctl::kBarWidth, 200);
  // Widths 496, centre offsets -160 and 160 doubled to -320 and 320.
  EXPECT_EQ(Left(), (Rect{-248, 144, 496, 192}));
  EXPECT_EQ(Right(), (Rect{392, 144, 496, 192}));
  EXPECT_DOUBLE_EQ(Display().leftPicture.cellWidth, 16.0);
  // The layer map follows: the gap between the pictures now lies at 248..391.
  EXPECT_EQ(Display().LayerAt(0, 240), kLeftLayer);
  EXPECT_EQ(Display().LayerAt(300, 240), kNoLayer);
  EXPECT_EQ(Display().LayerAt(639, 240), kRightLayer);
  EXPECT_TRUE(WaitFor([&] { return paints.count > 0; }));

  Drag(ctl::kBarWidth, 100);
  EXPECT_EQ(Left(), kStartLeft);
  EXPECT_EQ(Right(), kStartRight);
  EXPECT_EQ(Display().LayerAt(300, 240), kNoLayer);
  EXPECT_EQ(Display().LayerAt(100, 240), kLeftLayer);

  // Every bar moved and put back to its neutral thumb gives the start layout again.
  for (int id : {ctl::kBarPositionX, ctl::kBarPositionY, ctl::kBarHeight}) {
    const int neutral = Bar(id)->value();
    Bar(id)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_NE(Left(), kStartLeft) << id;
    Drag(id, neutral);
    EXPECT_EQ(Left(), kStartLeft) << id;
    EXPECT_EQ(Right(), kStartRight) << id;
  }
}

TEST_F(ArrangementTest, WithOnlyTheLeftPictureSelectedTheWidthActsAboutItsOwnCentre) {
  Click(ctl::kRightPicture);
  ASSERT_FALSE(Button(ctl::kRightPicture)->isChecked());
  Drag(ctl::kBarWidth, 200);
  EXPECT_EQ(Left(), (Rect{-88, 144, 496, 192}));
  EXPECT_EQ(Right(), kStartRight);
  // To the left end: the centre offset -160 - 284 = -444, no scaling of it
  // for one picture, so x = -444 - 248 + 320.
  Bar(ctl::kBarPositionX)->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(Bar(ctl::kBarPositionX)->value(), -284);
  EXPECT_EQ(Left(), (Rect{-372, 144, 496, 192}));
  EXPECT_EQ(Right(), kStartRight);
}

TEST_F(ArrangementTest, KeptAspectDrivesBothSizesWithTheWidthBarAndReleasingItFreesTheHeightBar) {
  Click(ctl::kKeepAspect);
  EXPECT_FALSE(Bar(ctl::kBarHeight)->isEnabled());
  EXPECT_EQ(StateOf(Bar(ctl::kBarWidth)), (BarState{16, 500, 100, true}));
  Drag(ctl::kBarWidth, 150);
  EXPECT_EQ(Left()[2], 372);
  EXPECT_EQ(Left()[3], 288);
  EXPECT_EQ(Right()[2], 372);
  EXPECT_EQ(Right()[3], 288);

  Click(ctl::kKeepAspect);
  ASSERT_TRUE(Bar(ctl::kBarHeight)->isEnabled());
  // A new base: the thumbs are neutral for the present sizes.
  EXPECT_EQ(Bar(ctl::kBarWidth)->value(), 100);
  Bar(ctl::kBarHeight)->triggerAction(QAbstractSlider::SliderToMinimum);  // the top: the tallest
  EXPECT_EQ(Left()[2], 372);
  EXPECT_GT(Left()[3], 288);
}

TEST_F(ArrangementTest, ClicksOnTheUpperArrowAndTheTroughMoveThePicturesByOneAndBySixPixels) {
  QScrollBar* bar = Bar(ctl::kBarPositionY);
  QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarSubLine));
  EXPECT_EQ(Left()[1], 143);
  EXPECT_EQ(Right()[1], 143);
  EXPECT_EQ(bar->value(), -1);  // reversed: up lowers the thumb and raises the value

  QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarSubPage));
  EXPECT_EQ(Left()[1], 137);  // a page is the left picture's cell height, 6
  EXPECT_EQ(bar->value(), -7);
  EXPECT_EQ(Right()[1], 137);

  QScrollBar* width = Bar(ctl::kBarWidth);
  QTest::mouseClick(width, Qt::LeftButton, {}, PartOf(width, QStyle::SC_ScrollBarAddLine));
  EXPECT_EQ(width->value(), 101);
  EXPECT_EQ(Left()[2], 250);  // 248 * 1.01, truncated
}

TEST_F(ArrangementTest, NoPictureSelectedDisablesAllBarsAndOnePictureBringsBackItsOwnRanges) {
  Click(ctl::kLeftPicture);
  Drag(ctl::kBarWidth, 150);  // the right picture alone: 372 wide around its centre offset 160
  ASSERT_EQ(Right(), (Rect{294, 144, 372, 192}));
  Click(ctl::kRightPicture);
  for (int id : {ctl::kBarPositionX, ctl::kBarPositionY, ctl::kBarWidth, ctl::kBarHeight}) {
    EXPECT_FALSE(Bar(id)->isEnabled()) << id;
  }
  // Nothing moves, whatever a bar is told.
  Bar(ctl::kBarPositionX)->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(Right(), (Rect{294, 144, 372, 192}));
  EXPECT_EQ(Left(), kStartLeft);

  Click(ctl::kRightPicture);
  // Position: -320 - 186 .. 320 + 186, less the centre offset 160. Width in
  // per cent of 372: 31 and 1280 pixels give 8 and 344.
  EXPECT_EQ(StateOf(Bar(ctl::kBarPositionX)), (BarState{-666, 346, 0, true}));
  EXPECT_EQ(StateOf(Bar(ctl::kBarPositionY)), (BarState{-336, 336, 0, true}));
  EXPECT_EQ(StateOf(Bar(ctl::kBarWidth)), (BarState{8, 344, 100, true}));
  EXPECT_EQ(StateOf(Bar(ctl::kBarHeight)), (BarState{16, 500, 416, true}));
}

TEST_F(ArrangementTest, ResetRestoresTheStartLayoutAndKeepsCheckBoxesAndTransparency) {
  QTest::keyClick(Transparency(), Qt::Key_Home);
  Drag(ctl::kBarWidth, 200);
  Drag(ctl::kBarPositionY, -30);
  Click(ctl::kLeftPicture);
  Click(ctl::kKeepAspect);
  PicturePaintCounter paints(*window_);

  Click(ctl::kArrangementReset);
  EXPECT_EQ(Left(), kStartLeft);
  EXPECT_EQ(Right(), kStartRight);
  EXPECT_FALSE(Button(ctl::kLeftPicture)->isChecked());
  EXPECT_TRUE(Button(ctl::kRightPicture)->isChecked());
  EXPECT_TRUE(Button(ctl::kKeepAspect)->isChecked());
  EXPECT_EQ(Display().transparency, 0);
  EXPECT_EQ(Bar(ctl::kBarPositionX)->value(), 0);
  EXPECT_EQ(Bar(ctl::kBarPositionY)->value(), 0);
  EXPECT_EQ(Bar(ctl::kBarWidth)->value(), 100);
  EXPECT_FALSE(Bar(ctl::kBarHeight)->isEnabled());
  EXPECT_EQ(Display().LayerAt(36, 144), kLeftLayer);
  EXPECT_EQ(Display().LayerAt(300, 240), kNoLayer);
  EXPECT_TRUE(WaitFor([&] { return paints.count > 0; }));
}
