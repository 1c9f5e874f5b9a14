// A head that never answers, seen through the window.
#include "tests/e2e/window_on_head.h"

namespace {

TEST_F(WindowOnHead, SilentHeadLeavesTheWindowAnsweringAndTheStatusLineSaysNoSensorAnswers) {
  ASSERT_TRUE(head.Start({"--silent"}));
  UseOnlyPort(1, head.Link());
  CTorvakDlg& dlg = Open();
  // Every exchange of the start-up now waits a whole time-out; the window
  // shows the opened port while the worker is still inside it.
  ASSERT_TRUE(WaitFor([&] { return dlg.StatusText() == OpenedText(); }));
  EXPECT_FALSE(StartUpDone());
  ASSERT_TRUE(head.WaitForLogSize(1));

  // Column 0 and rows 0..3: one register read at every tilt offset, so a
  // step costs two time-outs, the read and the tilt move.
  dlg.Scan().ChangeEdge(RangeEdge::Right, 0);
  dlg.Scan().ChangeEdge(RangeEdge::Top, 3);
  ASSERT_TRUE(WaitFor([&] { return StartUpDone(); }, 20000));
  Click(ctl::kStart);
  ASSERT_TRUE(
      WaitFor([&] { return dlg.StatusText() == QStringLiteral("Kein Sensor antwortet – Ersatzwerte"); }));
  EXPECT_TRUE(IsSubstitute(dlg.Image().grid[0][0]));
  EXPECT_EQ(dlg.Image().grid[1][0], kNoReading);
  // It stays said while the next step gets no answer either.
  ASSERT_TRUE(WaitFor([&] { return dlg.Image().grid[0][1] != kNoReading; }));
  EXPECT_EQ(dlg.StatusText(), QStringLiteral("Kein Sensor antwortet – Ersatzwerte"));
}

}  // namespace
