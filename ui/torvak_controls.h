#pragma once
#include <QHash>
#include <QRect>
#include <array>
#include <vector>

#include "scan/port_report.h"

class QWidget;
struct LayoutGrid;

enum class ControlKind {
  PushButton,
  CheckBox,
  WrappingCheckBox,
  RadioButton,
  GroupBox,
  Frame,  // a plain box
  Label,
  Picture,
  ReadOnlyLineEdit,
  TabWidget,
  Trackbar,
  ScrollBarHorizontal,
  ScrollBarVertical,
  UpDownVertical,
  UpDownHorizontal,
};

// The pages of the panel's tab control, and the two kinds of control that
// page switching never touches.
inline constexpr int kPageKamera = 0;
inline constexpr int kPageWaermebild = 1;
inline constexpr int kPageEinstellungen = 2;
inline constexpr int kPageCount = 3;
inline constexpr int kAlways = -1;  // shown on every page
inline constexpr int kNever = -2;   // created hidden, never shown

// The main window's controls, each its row's index in kControls, in the
// order they are created, which is also the tab order.
namespace ctl {
enum : int {
  kStepWidthEdit,
  kStepWidthUpDown,
  kPanelTabs,
  kStart,
  kStop,
  kTransparency,
  kReset,
  kClearImage,
  kControlGroup,
  kRangeGroup,
  kRangeFrame,
  kTopEdge,
  kBottomEdge,
  kLeftEdge,
  kRightEdge,
  kRangeReset,
  kReturnGroup,
  kStopAfterPass,
  kBothDirections,
  kOneRow,
  kFourRow,
  kAccuracyGroup,
  kMaxField,
  kMinField,
  kAmbientLabel,
  kMouseLabel,
  kMaxLabel,
  kMinLabel,
  kAmbientField,
  kMouseField,
  kReadoutTabs,
  kMiddlePosition,
  kLoadPicture,
  kWebcamGroup,
  kPositionCameraLabel,
  kBackgroundPathLabel,
  kUseAsBackgroundLabel,
  kSaveStillLabel,
  kPortGroup,
  kFirstPort,  // "Com 1", followed by "Com 2" … "Com 8"
  kLastPort = kFirstPort + kLastComPort - kFirstComPort,
  kArrangementGroup,
  kStepWidthLabel,
  kLeftPicture,
  kRightPicture,
  kBarPositionX,
  kBarPositionY,
  kArrangementFrame,
  kBarHeight,
  kPositionLabel,
  kSizeLabel,
  kBarWidth,
  kKeepAspect,
  kArrangementReset,
  kSaveScreenshot,
  kPictureBitmap,
  kMeasuredPixels,
  kSmoothed,
  kHideBackground,
  kSaveGroup,
  kTransparencyGroup,
  kBackgroundVisible,
  kEditSmoothing,
  kCount
};
// The button of "Com number".
constexpr int PortButton(int number) { return kFirstPort + number - kFirstComPort; }
}  // namespace ctl

// One control: what it is, what it says, on which page and where.
struct ControlEntry {
  int id;               // ctl::k...
  const char* name;     // its object name
  ControlKind kind;
  const char* caption;  // German, UTF-8, translated in context "CTorvakDlg"; empty: no caption
  int page;             // kPage..., kAlways or kNever
  QRect (*place)(const LayoutGrid& grid);  // null for the never placed controls
};

inline constexpr int kControlCount = ctl::kCount;
extern const std::array<ControlEntry, kControlCount> kControls;

// The controls that ShowPage shows or hides for a page; empty for a page
// number outside 0..2.
std::vector<int> PageControls(int page);

// A control's caption as the window shows it, translated; empty for none.
QString ControlCaption(int id);

// Creates every control of the table as a child of parent, hidden where the
// table says never, each named by the table. Returns them by ID.
QHash<int, QWidget*> CreateControls(QWidget* parent);
