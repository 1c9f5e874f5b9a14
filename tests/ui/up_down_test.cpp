// The arrow-button control of the scan range: proposals, answers, limits.
#include <QApplication>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "ui/up_down.h"

namespace {

QList<int> Values(const QSignalSpy& spy) {
  QList<int> values;
  for (const QList<QVariant>& arguments : spy) values << arguments.at(0).toInt();
  return values;
}

QToolButton* Arrow(UpDown& control, Qt::ArrowType type) {
  for (QToolButton* button : control.findChildren<QToolButton*>()) {
    if (button->arrowType() == type) return button;
  }
  return nullptr;
}

}  // namespace

TEST(UpDown, ClicksWaitForTheAnswerAndStartFromWhatItLeft) {
  UpDown control(Qt::Vertical);
  control.SetRange(0, 31);
  control.SetPosition(10);
  QSignalSpy proposed(&control, &UpDown::changeProposed);
  control.Step(+1);
  control.Step(+1);
  control.Step(+1);
  EXPECT_EQ(Values(proposed), QList<int>{11});  // one at a time
  EXPECT_EQ(control.Position(), 10);            // nothing shown before the answer

  control.Answer(11, true);
  EXPECT_EQ(control.Position(), 11);
  EXPECT_EQ(Values(proposed), (QList<int>{11, 12}));
  control.Answer(11, false);  // refused: stays, and the next click starts from 11
  EXPECT_EQ(control.Position(), 11);
  EXPECT_EQ(Values(proposed), (QList<int>{11, 12, 12}));
  control.Answer(12, true);
  EXPECT_EQ(control.Position(), 12);
  EXPECT_FALSE(control.ProposalPending());

  control.Answer(20, true);  // no proposal in flight: ignored
  EXPECT_EQ(control.Position(), 12);

  // Waiting clicks that are dropped are not asked after the answer.
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
  EXPECT_EQ(proposed.count(), 0);
  EXPECT_FALSE(control.ProposalPending());
  control.SetPosition(0);
  control.Step(-1);
  control.Step(+1);  // the step past the limit is skipped, the next one asked
  EXPECT_EQ(Values(proposed), QList<int>{1});

  control.SetRange(0, 31);  // narrowing the range pulls the position in
  control.SetPosition(40);
  EXPECT_EQ(control.Position(), 31);
}

TEST(UpDown, ArrowsAndKeysProposeInTheirDirection) {
  UpDown vertical(Qt::Vertical);
  vertical.SetRange(0, 31);
  vertical.SetPosition(5);
  vertical.resize(20, 20);
  vertical.show();
  QSignalSpy verticalProposed(&vertical, &UpDown::changeProposed);
  const auto answerAll = [](UpDown* c) {
    QObject::connect(c, &UpDown::changeProposed, c, [c](int v) { c->Answer(v, false); });
  };
  answerAll(&vertical);
  QTest::mouseClick(Arrow(vertical, Qt::UpArrow), Qt::LeftButton);
  QTest::mouseClick(Arrow(vertical, Qt::DownArrow), Qt::LeftButton);
  QTest::keyClick(&vertical, Qt::Key_Up);
  QTest::keyClick(&vertical, Qt::Key_Down);
  EXPECT_EQ(Values(verticalProposed), (QList<int>{6, 4, 6, 4}));
  EXPECT_EQ(Arrow(vertical, Qt::LeftArrow), nullptr);

  UpDown horizontal(Qt::Horizontal);
  horizontal.SetRange(0, 61);
  horizontal.SetPosition(30);
  horizontal.resize(20, 20);
  horizontal.show();
  QSignalSpy horizontalProposed(&horizontal, &UpDown::changeProposed);
  answerAll(&horizontal);
  QTest::mouseClick(Arrow(horizontal, Qt::RightArrow), Qt::LeftButton);
  QTest::mouseClick(Arrow(horizontal, Qt::LeftArrow), Qt::LeftButton);
  QTest::keyClick(&horizontal, Qt::Key_Right);
  QTest::keyClick(&horizontal, Qt::Key_Left);
  EXPECT_EQ(Values(horizontalProposed), (QList<int>{31, 29, 31, 29}));
  // The right arrow sits right of the left one.
  EXPECT_GT(Arrow(horizontal, Qt::RightArrow)->x(), Arrow(horizontal, Qt::LeftArrow)->x());
  EXPECT_LT(Arrow(vertical, Qt::UpArrow)->y(), Arrow(vertical, Qt::DownArrow)->y());
}
