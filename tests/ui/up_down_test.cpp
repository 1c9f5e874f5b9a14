// The arrow-button control of the scan range: proposals, answers, limits.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/up_down.h"

namespace {

QList<int> Values(const QSignalSpy& spy) {
  QList<int> values;
  for (const QList<QVariant>& arguments : spy) values << arguments.at(0).toInt();
  return values;
}

}  // namespace

TEST(UpDown, ClicksWaitForTheAnswerAndStartFromWhatItLeft) {
  UpDown control(Qt::Vertical);
  control.SetRange(0, 31);
  control.SetPosition(10);
  QSignalSpy proposed(&control, &UpDown::changeProposed);
  for (int i = 0; i < 3; ++i) control.Step(+1);
  EXPECT_EQ(Values(proposed), QList<int>{11});  // one at a time
  EXPECT_EQ(control.Position(), 10);            // nothing shown before the answer
  control.Answer(11, true);
  control.Answer(11, false);  // refused: the next click starts from 11 again
  EXPECT_EQ(Values(proposed), (QList<int>{11, 12, 12}));
  control.Answer(12, true);
  control.Answer(20, true);  // no proposal in flight: ignored
  EXPECT_EQ(control.Position(), 12);

  control.Step(-1);
  control.Step(-1);
  control.DropWaitingSteps();
  control.Answer(11, true);
  EXPECT_EQ(Values(proposed), (QList<int>{11, 12, 12, 11}));
  EXPECT_FALSE(control.ProposalPending());
}

TEST(UpDown, StopsAtItsLimitsWithoutAsking) {
  UpDown control(Qt::Horizontal);
  control.SetRange(0, 61);
  control.SetPosition(61);
  QSignalSpy proposed(&control, &UpDown::changeProposed);
  control.Step(+1);
  control.SetPosition(0);
  control.Step(-1);
  control.Step(+1);  // the steps past the limits are skipped, this one asked
  EXPECT_EQ(Values(proposed), QList<int>{1});
  control.SetRange(0, 31);
  control.SetPosition(40);
  EXPECT_EQ(control.Position(), 31);
}

// Up and right increase: the arrow on top or on the right, and its key.
TEST(UpDown, ArrowsAndKeysProposeInTheirDirection) {
  for (const auto& [orientation, more, less, keyMore, keyLess] :
       {std::tuple{Qt::Vertical, QPoint(10, 4), QPoint(10, 16), Qt::Key_Up, Qt::Key_Down},
        std::tuple{Qt::Horizontal, QPoint(16, 10), QPoint(4, 10), Qt::Key_Right, Qt::Key_Left}}) {
    UpDown control(orientation);
    control.SetRange(0, 31);
    control.SetPosition(5);
    control.resize(20, 20);
    control.show();  // lays out the arrows
    QObject::connect(&control, &UpDown::changeProposed, &control, [&](int v) { control.Answer(v, false); });
    QSignalSpy proposed(&control, &UpDown::changeProposed);
    for (const QPoint at : {more, less}) {
      ASSERT_NE(control.childAt(at), nullptr);
      QTest::mouseClick(control.childAt(at), Qt::LeftButton);
    }
    QTest::keyClick(&control, keyMore);
    QTest::keyClick(&control, keyLess);
    EXPECT_EQ(Values(proposed), (QList<int>{6, 4, 6, 4})) << orientation;
  }
}
