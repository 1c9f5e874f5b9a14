// The temperature under the mouse, as real mouse moves over the window show
// it in the field under "Mausposition:".
#include "picture_tools_fixture.h"

namespace {

class ReadoutTest : public PictureToolsTest {
 protected:
  void SetUp() override {
    PictureToolsTest::SetUp();
    Open();
  }
  void Store(int column, int row, int value) { window_->Image().StoreReading(column, row, value); }
  // Qt drops a move to where the pointer already is: each reading comes from
  // elsewhere on the window, between the picture area and the readouts.
  QString ReadingAt(QPoint client) {
    QTest::mouseMove(window_.get(), kBetweenAreas);
    return ReadingAfterMoveTo(client);
  }
  QString ReadingAfterMoveTo(QPoint client) {
    QTest::mouseMove(window_.get(), client);
    return Field(ctl::kMouseField);
  }
  QString ReadingOfCell(int column, int row) { return ReadingAt(ClientCentre(column, row)); }
  static constexpr QPoint kBetweenAreas{925, 200};
  static QString Degrees(const char* text) { return QString::fromUtf8(text); }
};

}  // namespace

TEST_F(ReadoutTest, CellsReadBackAtTheResolutionOfTheScale) {
  const std::vector<std::tuple<int, int, int, const char*>> cells{
      {2, 3, 30, "30 ° C"},   {3, 3, 31, "30 ° C"},    {4, 3, 115, "114 ° C"}, {5, 3, 10, "10 ° C"},
      {6, 3, 160, "160 ° C"}, {40, 20, 9, "< 10 ° C"}, {41, 20, 161, "> 160 ° C"},
  };
  for (const auto& [column, row, value, text] : cells) Store(column, row, value);
  PaintNow();
  for (const auto& [column, row, value, text] : cells) {
    EXPECT_EQ(ReadingOfCell(column, row), Degrees(text)) << value;
  }
  EXPECT_EQ(ReadingOfCell(7, 3), QString()) << "an unmeasured cell";
  // Moves over controls are theirs: the reading stays.
  ASSERT_EQ(ReadingOfCell(2, 3), Degrees("30 ° C"));
  EXPECT_EQ(ReadingAfterMoveTo({100, 200}), Degrees("30 ° C")) << "over the tab pages";
  EXPECT_EQ(ReadingAfterMoveTo({960, 470}), Degrees("30 ° C")) << "over the readout field itself";
}

TEST_F(ReadoutTest, ScaleBarBandsReadAsBelowAndAboveTheScale) {
  // The scale bar is 30 x 300 at (940, 70): five white rows on top, five black at the bottom.
  EXPECT_EQ(ReadingAt({955, 72}), Degrees("> 160 ° C"));
  EXPECT_EQ(ReadingAt({955, 368}), Degrees("< 10 ° C"));
  EXPECT_EQ(ReadingAt({955, 364}), Degrees("10 ° C"));  // the lowest palette row
  EXPECT_EQ(ReadingAt({955, 75}), Degrees("160 ° C"));  // the highest
  EXPECT_EQ(ReadingAt({955, 70}), QString()) << "the scale's top border";
}

TEST_F(ReadoutTest, BorderColumnAndRowOfThePictureAreaReadNothing) {
  // The left picture moved into the area's top-left corner, its top-left cell measured.
  SelectTab(kPageWaermebild);
  Bar(ctl::kBarPositionX)->setSliderPosition(-36);   // centre -160 - 36: x = 0
  Bar(ctl::kBarPositionY)->setSliderPosition(-144);  // reversed: centre 144 up, y = 0
  ASSERT_EQ(Display().leftPicture.x, 0);
  ASSERT_EQ(Display().leftPicture.y, 0);
  Store(0, 31, 30);
  PaintNow();
  const QPoint inside(281, 11);
  ASSERT_EQ(ReadingAt(inside), Degrees("30 ° C"));
  EXPECT_EQ(ReadingAt({280, 11}), QString());
  ASSERT_EQ(ReadingAt(inside), Degrees("30 ° C"));
  EXPECT_EQ(ReadingAt({281, 10}), QString());
}
