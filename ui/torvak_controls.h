#pragma once
#include <QHash>
#include <array>
#include <span>

#include "scan/port_report.h"

class QWidget;

// The controls of the main window, in template order (also the tab order):
// their IDs, kinds, captions and pages.
enum class ControlKind {
  PushButton,
  CheckBox,
  MultiLineCheckBox,
  RadioButton,
  GroupBox,
  BlackFrame,
  StaticText,
  Bitmap,
  Edit,  // read-only
  TabControl,
  Trackbar,
  ScrollBarHorizontal,
  ScrollBarVertical,
  UpDownVertical,
  UpDownHorizontal,
};

// Pages of the tab control 1019, and the two kinds of control that page
// switching never touches.
inline constexpr int kPageKamera = 0;
inline constexpr int kPageWaermebild = 1;
inline constexpr int kPageEinstellungen = 2;
inline constexpr int kPageCount = 3;
inline constexpr int kAlways = -1;  // shown on every page
inline constexpr int kNever = -2;   // created hidden, never shown

struct ControlEntry {
  int id;
  ControlKind kind;
  const char* caption;  // German, UTF-8, translated in context "CTorvakDlg"; empty: no caption
  int page;             // kPage..., kAlways or kNever
};

// Control IDs used by name in the window.
namespace ctl {
inline constexpr int kStepWidthEdit = 1066, kStepWidthUpDown = 1067, kPanelTabs = 1019;
inline constexpr int kStart = 1020, kStop = 1021, kTransparency = 1022, kReset = 1023, kClearImage = 1024;
inline constexpr int kTopEdge = 1025, kBottomEdge = 1026, kLeftEdge = 1027, kRightEdge = 1028;
inline constexpr int kRangeReset = 1029, kStopAfterPass = 1030, kBothDirections = 1031;
inline constexpr int kOneRow = 1032, kFourRow = 1033;
inline constexpr int kMaxField = 1039, kMinField = 1040, kAmbientField = 1041, kMouseField = 1042;
inline constexpr int kReadoutTabs = 1043, kMaxLabel = 1045, kMinLabel = 1046, kAmbientLabel = 1047,
                     kMouseLabel = 1048;
inline constexpr int kMiddlePosition = 1049, kLoadPicture = 1050;
inline constexpr int kLeftPicture = 1070, kRightPicture = 1071, kBackgroundVisible = 1086;
inline constexpr int kFirstPort = 1057;  // "Com 1"
// The button of "Com number".
constexpr int PortButton(int number) { return kFirstPort + number - kFirstComPort; }
inline constexpr int kLastPort = PortButton(kLastComPort);
inline constexpr int kMeasuredPixels = 1084, kSmoothed = 1085;
inline constexpr int kBackgroundPathLabel = 1055, kHideBackground = 1068;
inline constexpr int kBarPositionX = 1072, kBarPositionY = 1073, kBarHeight = 1074, kBarWidth = 1079;
inline constexpr int kKeepAspect = 1080, kArrangementReset = 1081, kSaveScreenshot = 1082;
inline constexpr int kEditSmoothing = 1087;
}  // namespace ctl

inline constexpr int kControlCount = 69;
extern const std::array<ControlEntry, kControlCount> kControls;

// The controls that ShowPage shows or hides for a page, in its order; empty
// for a page number outside 0..2.
std::span<const int> PageControls(int page);

// A control's caption as the window shows it, translated; empty for none.
QString ControlCaption(int id);

// Creates every control of the table as a child of parent, hidden where the
// table says never, each with its ID as object name. Returns them by ID.
QHash<int, QWidget*> CreateControls(QWidget* parent);
