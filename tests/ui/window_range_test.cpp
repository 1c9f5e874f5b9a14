// The scan range controls and the sweep options of the page "Kamera": an
// edge moves only when the scan accepts it.
#include "window_fixture.h"

#include <QSignalSpy>
#include <QToolButton>

#include "ui/up_down.h"

namespace {

Bytes Joined(std::initializer_list<Bytes> frames) {
  Bytes all;
  for (const Bytes& frame : frames) all.insert(all.end(), frame.begin(), frame.end());
  return all;
}

bool EndsWith(const Bytes& bytes, const Bytes& tail) {
  return bytes.size() >= tail.size() &&
         std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<std::ptrdiff_t>(tail.size()));
}

}  // namespace

class RangeTest : public WindowTest {
 protected:
  UpDown* Edge(int id) const { return window_->ControlAs<UpDown>(id); }

  // Clicks the edge's arrow `times` times (+1: up or right) and waits until
  // the scan has answered every click.
  void Move(int id, int delta, int times) {
    UpDown* edge = Edge(id);
    const Qt::ArrowType arrow = edge->Orientation() == Qt::Vertical
                                    ? (delta > 0 ? Qt::UpArrow : Qt::DownArrow)
                                    : (delta > 0 ? Qt::RightArrow : Qt::LeftArrow);
    QToolButton* button = nullptr;
    for (QToolButton* b : edge->findChildren<QToolButton*>()) {
      if (b->arrowType() == arrow) button = b;
    }
    ASSERT_NE(button, nullptr);
    for (int i = 0; i < times; ++i) QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([edge] { return !edge->ProposalPending(); }));
  }

  // The range as the window keeps it for the picture's frame.
  ScanRange ImageRange() const {
    const ThermalImage& image = window_->Image();
    return {image.rangeFirstColumn, image.rangeLastColumn, image.rangeFirstRow, image.rangeLastRow};
  }

  // Scans until the pan servo has been sent to `pan`, then stops there.
  void ParkHeadAt(int pan) {
    adapter_->HoldAfter(PanWrite(pan));
    Click(ctl::kStart);
    ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
    Click(ctl::kStop);
    adapter_->Release();
    ASSERT_TRUE(WaitFor([&] { return !window_->Scanning() && EndsWith(Sent(), TiltWrite(15)); }));
  }
};

TEST_F(RangeTest, StartUpGivesTheEdgesTheirLimitsAndTheFullRange) {
  Open();
  const struct {
    int id;
    int minimum, maximum, position;
  } edges[] = {{1025, 0, 31, 31}, {1026, 0, 31, 0}, {1027, 0, 61, 0}, {1028, 0, 61, 61}};
  for (const auto& e : edges) {
    EXPECT_EQ(Edge(e.id)->Minimum(), e.minimum) << e.id;
    EXPECT_EQ(Edge(e.id)->Maximum(), e.maximum) << e.id;
    EXPECT_EQ(Edge(e.id)->Position(), e.position) << e.id;
  }
  EXPECT_EQ(Edge(1025)->Orientation(), Qt::Vertical);
  EXPECT_EQ(Edge(1027)->Orientation(), Qt::Horizontal);
  EXPECT_EQ(ImageRange(), (ScanRange{0, 61, 0, 31}));
}

TEST_F(RangeTest, WithTheHeadAtZeroTheLeftEdgeRisesTo31ButNot32) {
  Open();
  SelectTab(kPageKamera);
  Move(1027, +1, 32);
  EXPECT_EQ(Edge(1027)->Position(), 31);
  EXPECT_EQ(ImageRange(), (ScanRange{31, 61, 0, 31}));
  Move(1027, -1, 1);
  EXPECT_EQ(Edge(1027)->Position(), 30);
  EXPECT_EQ(ImageRange().firstColumn, 30);
}

TEST_F(RangeTest, TheRightEdgeCannotLeaveTheHeadAt30OutsideTheSweep) {
  Open();
  SelectTab(kPageKamera);
  Move(1028, -1, 31);  // 61 -> 30, all accepted with the head at 0
  EXPECT_EQ(Edge(1028)->Position(), 30);
  EXPECT_EQ(ImageRange(), (ScanRange{0, 30, 0, 31}));
  ParkHeadAt(30);

  Move(1028, -1, 1);  // 30 -> 29 would leave pan 30 outside the sweep 0..29
  EXPECT_EQ(Edge(1028)->Position(), 30);
  EXPECT_EQ(ImageRange().lastColumn, 30);
  Move(1027, +1, 1);  // the sweep 1..30 still holds the head
  EXPECT_EQ(Edge(1027)->Position(), 1);

  // The range reset succeeds wherever the head is.
  Click(ctl::kRangeReset);
  EXPECT_EQ(Edge(1027)->Position(), 0);
  EXPECT_EQ(Edge(1028)->Position(), 61);
  EXPECT_TRUE(WaitFor([&] { return ImageRange() == ScanRange{0, 61, 0, 31}; }));
  Move(1028, -1, 1);
  EXPECT_EQ(Edge(1028)->Position(), 60);
}

TEST_F(RangeTest, RowEdgesCannotCrossAndNarrowTheRegistersRead) {
  Open();
  SelectTab(kPageKamera);
  Move(1025, -1, 31);  // upper edge 31 -> 0
  EXPECT_EQ(Edge(1025)->Position(), 0);
  Move(1026, +1, 1);  // the lower edge above the upper one: refused
  EXPECT_EQ(Edge(1026)->Position(), 0);
  Move(1025, -1, 1);  // below the control's limit: nothing to ask
  EXPECT_EQ(Edge(1025)->Position(), 0);
  EXPECT_EQ(ImageRange(), (ScanRange{0, 61, 0, 0}));

  // Row 0 alone: at offset 0 each module's register 2, nothing else.
  const std::size_t startedAt = Sent().size();
  adapter_->HoldAfter(PanWrite(1));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  const Bytes sent = Sent();
  const Bytes step(sent.begin() + static_cast<std::ptrdiff_t>(startedAt), sent.end());
  EXPECT_EQ(Count(step, ReadFrame(0xD3, 2)), 1);
  EXPECT_EQ(Count(step, ReadFrame(0xD1, 2)), 1);
  EXPECT_EQ(Count(step, ReadFrame(0xD3, 3)), 0);
  EXPECT_EQ(Count(step, ReadFrame(0xD1, 9)), 0);
  adapter_->Release();
  Click(ctl::kStop);
}

TEST_F(RangeTest, EdgeClicksWaitForEachAnswerInTurn) {
  Open();
  SelectTab(kPageKamera);
  adapter_->HoldAfter(PanWrite(1));
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  // The worker is busy: the clicks wait, and the control shows no change yet.
  UpDown* right = Edge(1028);
  for (int i = 0; i < 3; ++i) QTest::keyClick(right, Qt::Key_Left);
  EXPECT_EQ(right->Position(), 61);
  EXPECT_TRUE(right->ProposalPending());
  adapter_->Release();
  ASSERT_TRUE(WaitFor([&] { return !right->ProposalPending(); }));
  EXPECT_EQ(right->Position(), 58);
  EXPECT_EQ(ImageRange().lastColumn, 58);
  Click(ctl::kStop);
}

TEST_F(RangeTest, OptionsAndRowModesChangeHowTheSweepRuns) {
  CTorvakDlg& window = Open();
  SelectTab(kPageKamera);
  Move(1028, -1, 59);  // sweep 0..2
  ASSERT_EQ(Edge(1028)->Position(), 2);
  Click(ctl::kBothDirections);
  Click(ctl::kStopAfterPass);
  ASSERT_FALSE(Button(ctl::kBothDirections)->isChecked());
  ASSERT_FALSE(Button(ctl::kStopAfterPass)->isChecked());

  // One direction: at the sweep's end the pan returns to 0 in the same step
  // as the tilt step; no step backwards.
  std::size_t at = Sent().size();
  Click(ctl::kStart);
  const std::size_t end = WaitForFrame(PanWrite(2), at);
  const std::size_t tilt = WaitForFrame(TiltWrite(17), end);
  ASSERT_NE(tilt, kNotSent);
  Bytes sent = Sent();
  EXPECT_LT(Find(sent, PanWrite(0), end), tilt);
  EXPECT_GT(Find(sent, PanWrite(1), end), tilt);
  // No stop after the pass: after the frame's tilt reset the scan goes on.
  const std::size_t lastRow = WaitForFrame(TiltWrite(19), tilt);
  const std::size_t frameEnd = WaitForFrame(TiltWrite(16), lastRow);
  EXPECT_NE(WaitForFrame(PanWrite(1), frameEnd), kNotSent);
  EXPECT_TRUE(window.Scanning());

  // Stop after the pass again: the scan ends by itself at the frame's end.
  Click(ctl::kStopAfterPass);
  ASSERT_TRUE(WaitFor([&] { return !window.Scanning(); }));
  EXPECT_TRUE(EndsWith(Sent(), Joined({PanWrite(0), TiltWrite(16), TiltWrite(15)})));

  // "1-zeilig" (never shown, but handled): every sweep is a whole frame.
  Button(ctl::kOneRow)->click();
  at = Sent().size();
  QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return scanning.count() == 2; }));  // started and ended
  sent = Sent();
  EXPECT_EQ(Find(sent, TiltWrite(17), at), sent.size());
  EXPECT_TRUE(EndsWith(sent, Joined({PanWrite(0), TiltWrite(16), TiltWrite(15)})));

  // "4-zeilig" brings the tilt steps back.
  Button(ctl::kFourRow)->click();
  EXPECT_FALSE(Button(ctl::kOneRow)->isChecked());
  at = Sent().size();
  Click(ctl::kStart);
  EXPECT_NE(WaitForFrame(TiltWrite(17), at), kNotSent);
  Click(ctl::kStop);
  EXPECT_TRUE(WaitFor([&] { return !window.Scanning(); }));
}
