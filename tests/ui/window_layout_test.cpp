// The window's layout is plain arithmetic: checked without any widget.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "ui/torvak_controls.h"
#include "ui/torvak_layout.h"

namespace {

std::array<int, 4> Corners(const Area& a) { return {a.left, a.top, a.right, a.bottom}; }

TEST(WindowLayout, AreasTabControlsAndReadoutsSitWhereTheWindowsUnitsPutThem) {
  const WindowLayout layout = ComputeWindowLayout();
  EXPECT_EQ(Corners(layout.panelArea), (std::array{10, 10, 270, 490}));
  EXPECT_EQ(Corners(layout.pictureArea), (std::array{280, 10, 920, 490}));
  EXPECT_EQ(Corners(layout.readoutArea), (std::array{930, 10, 1020, 490}));
  EXPECT_EQ(Corners(layout.scaleArea), (std::array{940, 70, 970, 370}));

  std::map<int, QRect> placed;
  for (const Placement& placement : layout.placements) placed[placement.id] = placement.rect;
  const std::pair<int, QRect> expected[] = {
      {ctl::kPanelTabs, {10, 10, 260, 480}},  {ctl::kReadoutTabs, {930, 10, 90, 480}},
      {ctl::kMaxField, {940, 46, 70, 20}},    {ctl::kMinField, {940, 390, 70, 20}},
      {ctl::kAmbientField, {940, 425, 70, 20}}, {ctl::kMouseField, {940, 460, 70, 20}},
  };
  for (const auto& [id, rect] : expected) EXPECT_EQ(placed[id], rect) << id;
}

}  // namespace
