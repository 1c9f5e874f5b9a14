#include "overlay/arrangement.h"

#include <gtest/gtest.h>

namespace {

// The window's side: the two rectangles and the model, as after start-up
// (both pictures checked, aspect not kept).
class ArrangementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPictureRects(left, right);
    arrangement.SetUpArrangement(left, right);
  }
  ArrangementBar& Bar(ArrangementBarIndex i) { return arrangement.bars[i]; }
  // A scroll request on one bar, then the update the window runs.
  void Scroll(ArrangementBarIndex i, int code, int dragged = 0) {
    arrangement.StepBar(code, Bar(i), i == kPositionYBar || i == kHeightBar, dragged, left);
    arrangement.ApplyArrangement(left, right);
  }
  void DragTo(ArrangementBarIndex i, int position) { Scroll(i, kThumbTrack, position); }
  void Select(bool l, bool r) {
    arrangement.leftSelected = l;
    arrangement.rightSelected = r;
    arrangement.SetUpArrangement(left, right);
  }
  void ExpectRange(ArrangementBarIndex i, int minimum, int maximum, int position) {
    EXPECT_TRUE(Bar(i).enabled) << i;
    EXPECT_EQ(Bar(i).minimum, minimum) << i;
    EXPECT_EQ(Bar(i).maximum, maximum) << i;
    EXPECT_EQ(Bar(i).position, position) << i;
  }

  PictureRect left;
  PictureRect right;
  Arrangement arrangement;
};

void ExpectRect(const PictureRect& r, int x, int y, int width, int height) {
  EXPECT_EQ(r.x, x);
  EXPECT_EQ(r.y, y);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
  EXPECT_DOUBLE_EQ(r.cellWidth, width / 31.0);
  EXPECT_DOUBLE_EQ(r.cellHeight, height / 32.0);
}

TEST_F(ArrangementTest, StartLayoutGivesTheStartRangesAndNeutralThumbs) {
  ExpectRect(left, 36, 144, 248, 192);
  ExpectRect(right, 356, 144, 248, 192);
  ExpectRange(kPositionXBar, -284, 284, 0);
  ExpectRange(kPositionYBar, -336, 336, 0);
  ExpectRange(kWidthBar, 12, 516, 100);
  ExpectRange(kHeightBar, 16, 500, 416);  // reversed: value 100 sits at 16 + 500 - 100
}

TEST_F(ArrangementTest, WidthBarScalesThePairAboutTheAreaCentreOrOnePictureAboutItsOwn) {
  DragTo(kWidthBar, 200);
  ExpectRect(left, -248, 144, 496, 192);
  ExpectRect(right, 392, 144, 496, 192);
  // 201 % of 248 is 498; centres -/+160 scaled by 498/248 are -/+321.29, truncated toward zero.
  DragTo(kWidthBar, 201);
  ExpectRect(left, -321 - 249 + 320, 144, 498, 192);
  ExpectRect(right, 321 - 249 + 320, 144, 498, 192);

  arrangement.Reset(left, right);
  Select(true, false);
  DragTo(kWidthBar, 200);
  ExpectRect(left, -88, 144, 496, 192);
  ExpectRect(right, 356, 144, 248, 192);
}

TEST_F(ArrangementTest, KeptAspectLetsTheWidthBarDriveBothSizesUntilUnchecked) {
  arrangement.SetKeepAspect(true, left, right);
  EXPECT_FALSE(Bar(kHeightBar).enabled);
  ExpectRange(kWidthBar, 16, 500, 100);
  DragTo(kWidthBar, 150);
  ExpectRect(left, -240 - 186 + 320, 240 - 144, 372, 288);
  ExpectRect(right, 240 - 186 + 320, 240 - 144, 372, 288);

  arrangement.SetKeepAspect(false, left, right);
  ASSERT_TRUE(Bar(kHeightBar).enabled);
  DragTo(kHeightBar, Bar(kHeightBar).minimum + Bar(kHeightBar).maximum - 150);
  EXPECT_EQ(left.height, 432);
  EXPECT_EQ(left.width, 372);
}

TEST_F(ArrangementTest, NoPictureSelectedDisablesAllBarsAndOneSelectedEnablesThemWithItsRanges) {
  Select(false, false);
  for (const ArrangementBar& bar : arrangement.bars) EXPECT_FALSE(bar.enabled);
  arrangement.StepBar(kToMaximum, Bar(kWidthBar), false, 0, left);  // a disabled bar does not move
  EXPECT_EQ(Bar(kWidthBar).position, 100);
  arrangement.ApplyArrangement(left, right);
  ExpectRect(left, 36, 144, 248, 192);
  ExpectRect(right, 356, 144, 248, 192);

  // The right picture alone, centre 160: it may move from -320 - 124 to 320 + 124.
  Select(false, true);
  ExpectRange(kPositionXBar, -444 - 160, 444 - 160, 0);
  ExpectRange(kPositionYBar, -336, 336, 0);
  ExpectRange(kWidthBar, 12, 516, 100);
  ExpectRange(kHeightBar, 16, 500, 416);
}

TEST_F(ArrangementTest, EveryBarMovedAndBroughtBackRestoresTheRectangles) {
  // Start from a layout other than the start layout, captured by a set-up.
  DragTo(kPositionXBar, 37);
  DragTo(kHeightBar, 300);
  Select(true, false);
  DragTo(kWidthBar, 77);
  Select(true, true);
  const PictureRect leftBefore = left;
  const PictureRect rightBefore = right;
  for (ArrangementBarIndex i : {kPositionXBar, kPositionYBar, kWidthBar, kHeightBar}) {
    ASSERT_TRUE(Bar(i).enabled) << i;
    const int neutral = Bar(i).position;
    for (int code : {kLineUp, kLineDown, kPageUp, kPageDown, kToMinimum, kToMaximum}) {
      Scroll(i, code);
      DragTo(i, neutral);
      ExpectRect(left, leftBefore.x, leftBefore.y, leftBefore.width, leftBefore.height);
      ExpectRect(right, rightBefore.x, rightBefore.y, rightBefore.width, rightBefore.height);
    }
  }
}

TEST_F(ArrangementTest, ResetRestoresTheStartLayoutAndKeepsCheckBoxesAndCapturedAspects) {
  Select(true, false);
  DragTo(kHeightBar, 16 + 500 - 129);  // 129 % of 192 = 247: the left picture nearly square
  Select(false, true);
  arrangement.SetKeepAspect(true, left, right);  // captures 247 / 248 and 192 / 248
  DragTo(kWidthBar, 300);

  arrangement.Reset(left, right);
  ExpectRect(left, 36, 144, 248, 192);
  ExpectRect(right, 356, 144, 248, 192);
  EXPECT_FALSE(arrangement.leftSelected);
  EXPECT_TRUE(arrangement.rightSelected);
  EXPECT_FALSE(Bar(kHeightBar).enabled);
  ExpectRange(kWidthBar, 16, 500, 100);
  ExpectRange(kPositionYBar, -336, 336, 0);

  Select(true, true);
  DragTo(kWidthBar, 100);  // the square ratio captured before the reset stays in use
  EXPECT_EQ(left.height, 247);
  EXPECT_EQ(right.height, 192);
}

TEST_F(ArrangementTest, ArrowsStepOnePixelAndTroughClicksOneCellOfTheLeftPicture) {
  Scroll(kPositionYBar, kLineUp);
  EXPECT_EQ(left.y, 143);
  EXPECT_EQ(right.y, 143);
  Scroll(kPositionYBar, kPageUp);  // a cell of 6 pixels
  EXPECT_EQ(left.y, 137);
  Scroll(kPositionXBar, kPageDown);  // a cell of 8 pixels
  EXPECT_EQ(left.x, 44);
  EXPECT_EQ(right.x, 364);
  Scroll(kHeightBar, kLineUp);  // the upper arrow makes the pictures taller: 1.01 * 192 = 193.92
  EXPECT_EQ(left.height, 193);

  // The page is the left picture's cell even when only the right picture moves.
  arrangement.Reset(left, right);
  Select(true, false);
  DragTo(kWidthBar, 200);  // left cells now 16 wide
  Select(false, true);
  Scroll(kPositionXBar, kPageUp);
  EXPECT_EQ(right.x, 356 - 16);
}

TEST_F(ArrangementTest, ThumbStaysInItsRangeAndTheEndsOfReversedBarsAreSwapped) {
  ArrangementBar& width = Bar(kWidthBar);
  arrangement.StepBar(kThumbTrack, width, false, 515, left);
  arrangement.StepBar(kPageDown, width, false, 0, left);
  EXPECT_EQ(width.position, 516);
  arrangement.StepBar(kEndScroll, width, false, 0, left);
  EXPECT_EQ(width.position, 516);
  arrangement.StepBar(kThumbTrack, width, false, 13, left);
  arrangement.StepBar(kLineUp, width, false, 0, left);
  arrangement.StepBar(kLineUp, width, false, 0, left);
  EXPECT_EQ(width.position, 12);

  // Thumb at the top of the vertical bar: the pictures have just left the area at the top.
  Scroll(kPositionYBar, kToMinimum);
  EXPECT_EQ(left.y, -192);
  Scroll(kPositionYBar, kToMaximum);
  EXPECT_EQ(right.y, 480);
}

TEST_F(ArrangementTest, StepsFromANeutralThumbOutsideTheRangeMoveByTheStep) {
  // The pair enlarged from the far left: the left picture alone, centre -888,
  // may move from offset 320 on, right of its neutral thumb 0.
  Scroll(kPositionXBar, kToMinimum);
  DragTo(kWidthBar, 200);
  Select(true, false);
  Scroll(kPositionXBar, kLineDown);
  EXPECT_EQ(left.x, -815);

  // The left picture alone shrunk to 29 pixels: its width bar starts at 106 %, above 100.
  arrangement.Reset(left, right);
  Select(true, false);
  DragTo(kWidthBar, 12);
  Select(true, false);
  Scroll(kWidthBar, kLineDown);
  EXPECT_EQ(left.width, 29);
}

TEST_F(ArrangementTest, PicturesPushedApartWithoutACommonRangeDisableThePositionBar) {
  // Left picture alone moved out to the left, then the pair enlarged: no
  // horizontal offset keeps both pictures within reach of the area.
  Select(true, false);
  Scroll(kPositionXBar, kToMinimum);
  Select(true, true);
  Scroll(kWidthBar, kToMaximum);
  Select(true, true);
  EXPECT_FALSE(Bar(kPositionXBar).enabled);
  EXPECT_TRUE(Bar(kWidthBar).enabled);
  Select(true, false);  // each picture alone can still be moved
  EXPECT_TRUE(Bar(kPositionXBar).enabled);
}

TEST_F(ArrangementTest, ABarLeftWithoutACommonRangeChangesNothingWhenAnotherBarMoves) {
  // The left picture shrunk, the right one grown, each alone: together their
  // width ranges no longer meet, and the width bar is disabled.
  Select(true, false);
  Scroll(kWidthBar, kToMinimum);
  Select(false, true);
  Scroll(kWidthBar, kToMaximum);
  const PictureRect shrunk = left;
  const PictureRect grown = right;
  Select(true, true);
  ASSERT_FALSE(Bar(kWidthBar).enabled);
  Scroll(kPositionXBar, kLineDown);
  // Both keep their sizes; only their centres move (scaled by their own
  // unchanged sizes, so by one pixel).
  EXPECT_EQ(left.width, shrunk.width);
  EXPECT_EQ(left.height, shrunk.height);
  EXPECT_EQ(right.width, grown.width);
  EXPECT_EQ(right.height, grown.height);
  EXPECT_EQ(left.x, shrunk.x + 1);
  EXPECT_EQ(right.x, grown.x + 1);
}

}  // namespace
