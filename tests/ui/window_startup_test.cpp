// The main window after start-up: pages, fields, ports, placement, fonts and
// what start-up sends to the adapter.
#include "window_fixture.h"

#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <set>

#include "caption_fit.h"
#include "ui/up_down.h"

namespace {

const std::set<int> kAlwaysShown{1019, 1039, 1040, 1041, 1042, 1045, 1046, 1047, 1048};
const std::set<int> kNeverShown{1066, 1067, 1032, 1033, 1037, 1075, 1078, 1083, 1068};

// Which controls a page shows, apart from the ones shown on every page.
std::set<int> PageSet(int page) {
  static const std::set<int> kPages[] = {
      {1034, 1020, 1021, 1023, 1035, 1038, 1025, 1026, 1027, 1028, 1029, 1036, 1030, 1031},
      {1065, 1069, 1076, 1077, 1070, 1071, 1072, 1073, 1074, 1079,
       1080, 1081, 1082, 1024, 1084, 1085, 1087, 1054, 1022, 1086},
      {1044, 1051, 1052, 1053, 1049, 1050, 1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064},
  };
  return kPages[page];
}

std::set<int> ShownControls(const CTorvakDlg& window) {
  std::set<int> shown;
  for (const ControlEntry& entry : kControls) {
    if (window.Control(entry.id)->isVisibleTo(&window)) shown.insert(entry.id);
  }
  return shown;
}

std::set<int> Union(std::set<int> a, const std::set<int>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

}  // namespace

TEST_F(WindowTest, StartUpShowsOnlyEinstellungenWithItsFieldsAndCheckStates) {
  CTorvakDlg& window = Open();
  ASSERT_TRUE(
      WaitFor([&] { return !Shown(ctl::kReadoutTabs); }));  // the "Temperatur" tab goes with the first paint

  EXPECT_EQ(window.ControlAs<QTabWidget>(ctl::kPanelTabs)->currentIndex(), kPageEinstellungen);
  EXPECT_EQ(ShownControls(window), Union(PageSet(kPageEinstellungen), kAlwaysShown));
  EXPECT_EQ(Field(ctl::kMaxField), QStringLiteral("160 \u00b0 C"));
  EXPECT_EQ(Field(ctl::kMinField), QStringLiteral("10 \u00b0 C"));
  EXPECT_EQ(window.Image().ambientTemperature, 23);  // the last of the three ambient reads
  EXPECT_EQ(Field(ctl::kMouseField), QString());
  EXPECT_TRUE(window.ControlAs<QLineEdit>(ctl::kMouseField)->isReadOnly());

  for (int id : {1070, 1071, 1086, 1030, 1031, 1084}) EXPECT_TRUE(Button(id)->isChecked()) << id;
  for (int id : {1080, 1085, 1032, 1033}) EXPECT_FALSE(Button(id)->isChecked()) << id;
  EXPECT_EQ(window.ControlAs<QSlider>(ctl::kTransparency)->value(), 50);
  EXPECT_EQ(Field(ctl::kStepWidthEdit), QStringLiteral("1"));
  EXPECT_EQ(window.DisplayRecord().displayMode, kMeasuredPixels);
  EXPECT_FALSE(window.Scanning());
}

TEST_F(WindowTest, StartUpSendsServoRangesResetPanAndThreeAmbientReads) {
  Open();
  Bytes expected;
  for (const Bytes& frame : {RangeWrite(kPanAddress), RangeWrite(kTiltAddress), PanWrite(0), kAmbientRead, kAmbientRead, kAmbientRead}) {
    expected.insert(expected.end(), frame.begin(), frame.end());
  }
  EXPECT_EQ(Sent(), expected);
  EXPECT_EQ(adapter_->OpenedNumbers(), std::vector<int>{3});
  EXPECT_EQ(window_->StatusText(), QStringLiteral("Com 3 (/dev/ttyUSB2) geöffnet"));
}

TEST_F(WindowTest, StoredPortChecksItsButtonAndNoneForOtherNumbers) {
  const struct {
    int stored;
    int checkedId;  // 0: none
  } cases[] = {{1, 1057}, {8, 1064}, {264, 1064}, {0, 0}, {9, 0}};
  for (const auto& c : cases) {
    StorePortNumber(c.stored);
    OpenWithoutWaiting();
    ASSERT_TRUE(WaitFor([&] { return Control(ctl::kStart)->isEnabled(); })) << c.stored;
    for (int id = ctl::kFirstPort; id <= ctl::kLastPort; ++id) {
      EXPECT_EQ(Button(id)->isChecked(), id == c.checkedId) << "stored " << c.stored << ", button " << id;
    }
    EXPECT_EQ(window_->PortNumber(), c.stored & 0xFF);
    window_.reset();
  }
}

TEST_F(WindowTest, PortButtonsShowTheirDeviceAndSelectAndStoreThePort) {
  QSettings settings(QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"),
                     QStringLiteral("Torvak"));
  settings.setValue(QStringLiteral("SETTINGS/COM6"), QStringLiteral("/dev/pts/17"));
  settings.sync();
  Open();
  EXPECT_EQ(Control(1057)->toolTip(), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(Control(1062)->toolTip(), QStringLiteral("/dev/pts/17"));

  Click(1062);  // "Com 6"
  ASSERT_TRUE(WaitFor([&] { return adapter_->OpenedNumbers() == std::vector<int>{3, 6}; }));
  EXPECT_TRUE(WaitFor([&] { return StoredPortNumber() == 6; }));
  EXPECT_TRUE(Button(1062)->isChecked());
  EXPECT_FALSE(Button(1059)->isChecked());
  EXPECT_TRUE(
      WaitFor([&] { return window_->StatusText() == QStringLiteral("Com 6 (/dev/pts/17) geöffnet"); }));

  Click(1062);  // the open port again: closed and opened anew
  EXPECT_TRUE(WaitFor([&] { return adapter_->OpenedNumbers() == std::vector<int>{3, 6, 6}; }));
  settings.remove(QStringLiteral("SETTINGS/COM6"));
}

TEST_F(WindowTest, TabsShowExactlyTheirPageAndNeverTheHiddenControls) {
  CTorvakDlg& window = Open();
  for (int page : {kPageKamera, kPageWaermebild, kPageEinstellungen, kPageWaermebild}) {
    SelectTab(page);
    EXPECT_EQ(window.ControlAs<QTabWidget>(ctl::kPanelTabs)->currentIndex(), page);
    const std::set<int> shown = ShownControls(window);
    EXPECT_EQ(shown, Union(PageSet(page), kAlwaysShown)) << "page " << page;
    for (int id : kNeverShown) {
      EXPECT_FALSE(shown.count(id)) << id;
    }
  }
  window.ShowPage(3, true);  // no such page: nothing changes
  window.ShowPage(-1, true);
  EXPECT_EQ(ShownControls(window), Union(PageSet(kPageWaermebild), kAlwaysShown));
}

TEST_F(WindowTest, EveryPlacedControlSitsWhereTheLayoutTableSaysAndTheWindowIsFixed) {
  const struct {
    int id;
    QRect rect;
  } table[] = {
      {1019, {10, 10, 260, 480}},  {1034, {25, 46, 230, 117}},  {1020, {45, 82, 75, 25}},
      {1021, {160, 82, 75, 25}},   {1023, {45, 118, 75, 25}},   {1035, {25, 178, 230, 156}},
      {1025, {112, 214, 20, 20}},  {1026, {112, 294, 20, 20}},  {1027, {45, 254, 20, 20}},
      {1028, {180, 254, 20, 20}},  {1038, {85, 238, 75, 36}},   {1029, {160, 289, 75, 25}},
      {1036, {25, 349, 230, 117}}, {1030, {45, 365, 190, 50}},  {1031, {45, 416, 190, 50}},
      {1065, {25, 46, 230, 197}},  {1070, {45, 67, 80, 20}},    {1071, {45, 87, 80, 20}},
      {1081, {140, 57, 112, 25}},  {1080, {155, 82, 95, 35}},   {1072, {45, 122, 87, 20}},
      {1073, {30, 142, 20, 87}},   {1074, {143, 142, 20, 87}},  {1079, {163, 122, 87, 20}},
      {1076, {75, 162, 60, 20}},   {1077, {185, 162, 60, 20}},  {1069, {25, 258, 230, 217}},
      {1084, {45, 278, 80, 25}},   {1085, {125, 278, 90, 25}},  {1087, {215, 278, 30, 25}},
      {1082, {45, 318, 150, 25}},  {1024, {45, 348, 150, 25}},  {1054, {45, 418, 190, 40}},
      {1022, {45, 438, 150, 20}},  {1086, {45, 388, 150, 20}},  {1044, {25, 46, 230, 244}},
      {1051, {45, 82, 190, 15}},   {1052, {45, 132, 190, 15}},  {1053, {45, 182, 190, 15}},
      {1049, {57, 100, 75, 25}},   {1055, {57, 157, 180, 15}},  {1050, {57, 200, 75, 25}},
      {1068, {137, 200, 99, 25}},  {1056, {25, 305, 230, 139}}, {1057, {45, 330, 60, 20}},
      {1058, {45, 355, 60, 20}},   {1059, {45, 380, 60, 20}},   {1060, {45, 405, 60, 20}},
      {1061, {145, 330, 60, 20}},  {1062, {145, 355, 60, 20}},  {1063, {145, 380, 60, 20}},
      {1064, {145, 405, 60, 20}},  {1043, {930, 10, 90, 480}},  {1045, {940, 31, 70, 15}},
      {1039, {940, 46, 70, 20}},   {1046, {940, 375, 70, 15}},  {1040, {940, 390, 70, 20}},
      {1047, {940, 410, 70, 15}},  {1041, {940, 425, 70, 20}},  {1048, {940, 445, 70, 15}},
      {1042, {940, 460, 70, 20}},
  };
  CTorvakDlg& window = Open();
  std::set<int> placed;
  for (const auto& row : table) {
    EXPECT_EQ(Control(row.id)->geometry(), row.rect) << row.id;
    placed.insert(row.id);
  }
  // Every control is in the table but the eight never shown that the layout leaves alone.
  for (const ControlEntry& entry : kControls) {
    if (!placed.count(entry.id)) {
      EXPECT_TRUE(kNeverShown.count(entry.id) && entry.id != 1068) << entry.id;
    }
  }
  // Page controls lie above the tab control they sit on.
  const QObjectList& children = window.children();
  EXPECT_GT(children.indexOf(Control(1034)), children.indexOf(Control(ctl::kPanelTabs)));
  EXPECT_GT(children.indexOf(Control(1064)), children.indexOf(Control(ctl::kPanelTabs)));

  const WindowLayout& layout = window.Layout();
  EXPECT_EQ(QRect(layout.pictureArea.left, layout.pictureArea.top, layout.pictureArea.Width(),
                  layout.pictureArea.Height()),
            QRect(280, 10, 640, 480));
  EXPECT_EQ(
      QRect(layout.scaleArea.left, layout.scaleArea.top, layout.scaleArea.Width(), layout.scaleArea.Height()),
      QRect(940, 70, 30, 300));
  EXPECT_EQ(window.size(), QSize(1030, 522));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.pos(), QPoint(0, 0));
  EXPECT_EQ(window.findChild<QStatusBar*>()->geometry(), QRect(0, 500, 1030, 22));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Torvak - Velmora"));
  EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window.Image().legendWidth, 30);
  EXPECT_EQ(window.Image().legendHeight, 300);
}

TEST_F(WindowTest, EveryVisibleCaptionFitsItsControlOnEveryPage) {
  CTorvakDlg& window = Open();
  EXPECT_EQ(window.font().pointSize(), 8);
  for (int page : {kPageKamera, kPageWaermebild, kPageEinstellungen}) {
    SelectTab(page);
    for (const ControlEntry& entry : kControls) {
      QWidget* control = Control(entry.id);
      if (control->isVisibleTo(&window)) {
        EXPECT_EQ(CaptionOverflow(control).toStdString(), "") << entry.id;
      }
    }
  }
  // The readout tab, shown until the first paint, fits as well.
  EXPECT_EQ(CaptionOverflow(Control(ctl::kReadoutTabs)).toStdString(), "");
}

TEST_F(WindowTest, EnterLeavesTheWindowOpenAndEscapeClosesIt) {
  CTorvakDlg& window = Open();
  const std::size_t before = Sent().size();
  Button(ctl::kMiddlePosition)->setFocus();  // a focused button must not take Enter either
  QTest::keyClick(&window, Qt::Key_Return);
  QTest::keyClick(Button(ctl::kMiddlePosition), Qt::Key_Enter);
  EXPECT_TRUE(window.isVisible());
  // "Reset" goes to the scan after anything Enter might have sent.
  Button(ctl::kReset)->click();
  const std::size_t reset = WaitForFrame(PanWrite(0), before);
  ASSERT_NE(reset, kNotSent);
  EXPECT_EQ(Find(Sent(), PanWrite(15), before), Sent().size());  // "Mittelposition" was not pressed

  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Rejected);
}
