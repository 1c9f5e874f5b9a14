#include "ui/torvak_controls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>

#include "ui/dialog_parts.h"
#include "ui/torvak_layout.h"
#include "ui/up_down.h"
#include "ui/wrapping_check_box.h"

using K = ControlKind;
using Grid = const LayoutGrid&;

namespace {
constexpr int kLabelHeight = 15;  // the readout column's labels
constexpr int kFieldHeight = 20;  // and fields
}  // namespace

// In creation order, which is the tab order. Group boxes take no focus, so a
// group's row may stand where its stacking needs it (see Layer in torvak_layout.cpp).
constexpr std::array<ControlEntry, kControlCount> kControls{{
    {ctl::kStepWidthEdit, "stepWidthEdit", K::ReadOnlyLineEdit, "", kNever, nullptr},
    {ctl::kStepWidthUpDown, "stepWidthUpDown", K::UpDownVertical, "", kNever, nullptr},
    {ctl::kPanelTabs, "panelTabs", K::TabWidget, "", kAlways,
     [](Grid g) { return g.panel; }},
    {ctl::kStart, "start", K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Start"), kPageKamera,
     [](Grid g) { return QRect(g.controlLeft, g.firstRow, 75, 25); }},
    {ctl::kStop, "stop", K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Stopp"), kPageKamera,
     [](Grid g) { return QRect(g.right - 110, g.firstRow, 75, 25); }},
    {ctl::kTransparency, "transparency", K::Trackbar, "", kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.saveGroupTop + 180, g.width - 110, 20); }},
    {ctl::kReset, "reset", K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Reset"), kPageKamera,
     [](Grid g) { return QRect(g.controlLeft, g.top + 3 * g.rowUnit - 30, 75, 25); }},
    {ctl::kClearImage, "clearImage", K::PushButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Löschen (Wärmebild)"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.saveGroupTop + 90, 150, 25); }},
    {ctl::kControlGroup, "controlGroup", K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Steuerung"), kPageKamera,
     [](Grid g) { return QRect(g.groupLeft, g.groupTop, g.groupWidth, 3 * g.rowUnit); }},
    {ctl::kRangeGroup, "rangeGroup", K::GroupBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Messbereich verkleinern"), kPageKamera,
     [](Grid g) { return QRect(g.groupLeft, g.rangeGroupTop, g.groupWidth, 4 * g.rowUnit); }},
    {ctl::kRangeFrame, "rangeFrame", K::GroupBox, "", kPageKamera,
     [](Grid g) { return QRect(g.left + 75, g.rangeGroupTop + 60, 75, 4 * g.rowUnit - 120); }},
    {ctl::kTopEdge, "topEdge", K::UpDownVertical, "", kPageKamera,
     [](Grid g) { return QRect(g.left + 102, g.rangeGroupTop + 36, 20, 20); }},
    {ctl::kBottomEdge, "bottomEdge", K::UpDownVertical, "", kPageKamera,
     [](Grid g) { return QRect(g.left + 102, g.rangeGroupTop + 4 * g.rowUnit - 40, 20, 20); }},
    {ctl::kLeftEdge, "leftEdge", K::UpDownHorizontal, "", kPageKamera,
     [](Grid g) { return QRect(g.controlLeft, g.sideArrowsTop, 20, 20); }},
    {ctl::kRightEdge, "rightEdge", K::UpDownHorizontal, "", kPageKamera,
     [](Grid g) { return QRect(g.left + 170, g.sideArrowsTop, 20, 20); }},
    {ctl::kRangeReset, "rangeReset", K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Reset"), kPageKamera,
     [](Grid g) { return QRect(g.right - 110, g.rangeGroupTop + 4 * g.rowUnit - 45, 75, 25); }},
    {ctl::kReturnGroup, "returnGroup", K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Rücklauf"), kPageKamera,
     [](Grid g) { return QRect(g.groupLeft, g.returnGroupTop, g.groupWidth, 3 * g.rowUnit); }},
    {ctl::kStopAfterPass, "stopAfterPass", K::WrappingCheckBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Stopp nach einem Durchlauf"), kPageKamera,
     [](Grid g) { return QRect(g.controlLeft, g.returnGroupTop + 16, g.controlWidth, g.returnBoxHeight); }},
    {ctl::kBothDirections, "bothDirections", K::WrappingCheckBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "in beiden Richtungen messen"), kPageKamera,
     [](Grid g) {
       return QRect(g.controlLeft, g.returnGroupTop + 3 * g.rowUnit - g.returnBoxHeight, g.controlWidth,
                    g.returnBoxHeight);
     }},
    {ctl::kOneRow, "oneRow", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "1-zeilig"), kNever, nullptr},
    {ctl::kFourRow, "fourRow", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "4-zeilig"), kNever, nullptr},
    {ctl::kAccuracyGroup, "accuracyGroup", K::GroupBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Genauigkeit"), kNever, nullptr},
    {ctl::kMaxField, "maxField", K::ReadOnlyLineEdit, "", kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutTop + 36, g.readoutWidth, kFieldHeight); }},
    {ctl::kMinField, "minField", K::ReadOnlyLineEdit, "", kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutBottom - 100, g.readoutWidth, kFieldHeight); }},
    {ctl::kAmbientLabel, "ambientLabel", K::Label, QT_TRANSLATE_NOOP("CTorvakDlg", "Umgebung:"), kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutBottom - 80, g.readoutWidth, kLabelHeight); }},
    {ctl::kMouseLabel, "mouseLabel", K::Label, QT_TRANSLATE_NOOP("CTorvakDlg", "Mausposition:"), kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutBottom - 45, g.readoutWidth, kLabelHeight); }},
    {ctl::kMaxLabel, "maxLabel", K::Label, QT_TRANSLATE_NOOP("CTorvakDlg", "Max:"), kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutTop + 21, g.readoutWidth, kLabelHeight); }},
    {ctl::kMinLabel, "minLabel", K::Label, QT_TRANSLATE_NOOP("CTorvakDlg", "Min:"), kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutBottom - 115, g.readoutWidth, kLabelHeight); }},
    {ctl::kAmbientField, "ambientField", K::ReadOnlyLineEdit, "", kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutBottom - 65, g.readoutWidth, kFieldHeight); }},
    {ctl::kMouseField, "mouseField", K::ReadOnlyLineEdit, "", kAlways,
     [](Grid g) { return QRect(g.readoutLeft, g.readoutBottom - 30, g.readoutWidth, kFieldHeight); }},
    {ctl::kReadoutTabs, "readoutTabs", K::TabWidget, "", kAlways,  // hidden by the first paint
     [](Grid g) { return g.readouts; }},
    {ctl::kMiddlePosition, "middlePosition", K::PushButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Mittelposition"), kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 47, g.middleButtonTop, 75, 25); }},
    {ctl::kLoadPicture, "loadPicture", K::PushButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Bild Laden"), kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 47, g.loadButtonTop, 75, 25); }},
    {ctl::kWebcamGroup, "webcamGroup", K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Webcam"), kPageEinstellungen,
     [](Grid g) { return QRect(g.groupLeft, g.groupTop, g.groupWidth, 244); }},
    {ctl::kPositionCameraLabel, "positionCameraLabel", K::Label,
     QT_TRANSLATE_NOOP("CTorvakDlg", "1. Kamera positionieren:"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.firstRow, g.controlWidth, 15); }},
    {ctl::kBackgroundPathLabel, "backgroundPathLabel", K::Label, "C:/temp/Torvak.bmp", kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 47, g.top + 126, g.width - 80, 15); }},
    {ctl::kUseAsBackgroundLabel, "useAsBackgroundLabel", K::Label,
     QT_TRANSLATE_NOOP("CTorvakDlg", "3. als Hintergrundbild verwenden:"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.top + 151, g.controlWidth, 15); }},
    {ctl::kSaveStillLabel, "saveStillLabel", K::Label,
     QT_TRANSLATE_NOOP("CTorvakDlg", "2. Webcam-Bild speichern unter:"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.top + 101, g.controlWidth, 15); }},
    {ctl::kPortGroup, "portGroup", K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "COM-Port"), kPageEinstellungen,
     [](Grid g) { return QRect(g.groupLeft, g.portGroupTop, g.groupWidth, g.height - g.portGroupTop - 15); }},
    {ctl::kFirstPort, "port1", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 1"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.portGroupTop + 25, 60, 20); }},
    {ctl::kFirstPort + 1, "port2", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 2"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.portGroupTop + 50, 60, 20); }},
    {ctl::kFirstPort + 2, "port3", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 3"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.portGroupTop + 75, 60, 20); }},
    {ctl::kFirstPort + 3, "port4", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 4"), kPageEinstellungen,
     [](Grid g) { return QRect(g.controlLeft, g.portGroupTop + 100, 60, 20); }},
    {ctl::kFirstPort + 4, "port5", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 5"), kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 135, g.portGroupTop + 25, 60, 20); }},
    {ctl::kFirstPort + 5, "port6", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 6"), kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 135, g.portGroupTop + 50, 60, 20); }},
    {ctl::kFirstPort + 6, "port7", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 7"), kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 135, g.portGroupTop + 75, 60, 20); }},
    {ctl::kFirstPort + 7, "port8", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 8"), kPageEinstellungen,
     [](Grid g) { return QRect(g.left + 135, g.portGroupTop + 100, 60, 20); }},
    {ctl::kArrangementGroup, "arrangementGroup", K::GroupBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Anordnung"), kPageWaermebild,
     [](Grid g) { return QRect(g.groupLeft, g.groupTop, g.groupWidth, 3 * g.rowUnit + 80); }},
    {ctl::kStepWidthLabel, "stepWidthLabel", K::Label,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Schrittweite"), kNever, nullptr},
    {ctl::kLeftPicture, "leftPicture", K::CheckBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Linkes Bild"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.top + 36, 80, 20); }},
    {ctl::kRightPicture, "rightPicture", K::CheckBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Rechtes Bild"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.top + 56, 80, 20); }},
    {ctl::kBarPositionX, "barPositionX", K::ScrollBarHorizontal, "", kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.firstRow + 40, g.barLength, 20); }},
    {ctl::kBarPositionY, "barPositionY", K::ScrollBarVertical, "", kPageWaermebild,
     [](Grid g) { return QRect(g.left + 20, g.firstRow + 60, 20, g.barLength); }},
    {ctl::kArrangementFrame, "arrangementFrame", K::Frame, "", kNever, nullptr},
    {ctl::kBarHeight, "barHeight", K::ScrollBarVertical, "", kPageWaermebild,
     [](Grid g) { return QRect(g.right - g.barLength - 40, g.firstRow + 60, 20, g.barLength); }},
    {ctl::kPositionLabel, "positionLabel", K::Label,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Position"), kPageWaermebild,
     [](Grid g) { return QRect(g.left + 65, g.firstRow + 80, 60, 20); }},
    {ctl::kSizeLabel, "sizeLabel", K::Label, QT_TRANSLATE_NOOP("CTorvakDlg", "Größe"), kPageWaermebild,
     [](Grid g) { return QRect(g.right - 85, g.firstRow + 80, 60, 20); }},
    {ctl::kBarWidth, "barWidth", K::ScrollBarHorizontal, "", kPageWaermebild,
     [](Grid g) { return QRect(g.right - g.barLength - 20, g.firstRow + 40, g.barLength, 20); }},
    {ctl::kKeepAspect, "keepAspect", K::WrappingCheckBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Seitenverhältnis beibehalten"), kPageWaermebild,
     [](Grid g) { return QRect(g.right - 115, g.firstRow, 95, 35); }},
    {ctl::kArrangementReset, "arrangementReset", K::PushButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Reset auf Startwerte"), kPageWaermebild,
     [](Grid g) { return QRect(g.right - 130, g.top + 26, 112, 25); }},
    {ctl::kSaveScreenshot, "saveScreenshot", K::PushButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Speichern (Screenshot)"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.saveGroupTop + 60, 150, 25); }},
    {ctl::kPictureBitmap, "pictureBitmap", K::Picture, "", kNever, nullptr},
    {ctl::kMeasuredPixels, "measuredPixels", K::RadioButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Mess-Pixel"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.saveGroupTop + 20, 80, 25); }},
    {ctl::kSmoothed, "smoothed", K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Weichzeichner"), kPageWaermebild,
     [](Grid g) { return QRect(g.left + 115, g.saveGroupTop + 20, 90, 25); }},
    {ctl::kHideBackground, "hideBackground", K::PushButton,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Bild Ausblenden"), kNever,
     [](Grid g) { return QRect(g.left + 127, g.loadButtonTop, 99, 25); }},
    {ctl::kSaveGroup, "saveGroup", K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Speichern"), kPageWaermebild,
     [](Grid g) { return QRect(g.groupLeft, g.saveGroupTop, g.groupWidth, 3 * g.rowUnit + 100); }},
    // Created after "Speichern" around it, so that it lies above it.
    {ctl::kTransparencyGroup, "transparencyGroup", K::GroupBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Transparenz"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.saveGroupTop + 160, g.controlWidth, 40); }},
    {ctl::kBackgroundVisible, "backgroundVisible", K::WrappingCheckBox,
     QT_TRANSLATE_NOOP("CTorvakDlg", "Hintergrundbild sichtbar"), kPageWaermebild,
     [](Grid g) { return QRect(g.controlLeft, g.saveGroupTop + 130, g.width - 110, 20); }},
    {ctl::kEditSmoothing, "editSmoothing", K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Edit"), kPageWaermebild,
     [](Grid g) { return QRect(g.left + 205, g.saveGroupTop + 20, 30, 25); }},
}};

// The names in ctl:: and the rows stay in step: each row's ID is its index.
static_assert([] {
  for (int i = 0; i < kControlCount; ++i)
    if (kControls[i].id != i) return false;
  return true;
}());

namespace {

// An unmarked caption (the background path label's file name) has no translation and comes back unchanged.
QString Caption(const ControlEntry& entry) {
  return *entry.caption == '\0' ? QString() : QCoreApplication::translate("CTorvakDlg", entry.caption);
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent) {
  const QString caption = Caption(entry);
  switch (entry.kind) {
    case K::PushButton: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);  // Enter clicks nothing
      return button;
    }
    case K::CheckBox:
      return new QCheckBox(caption, parent);
    case K::WrappingCheckBox:
      return new WrappingCheckBox(caption, parent);
    case K::RadioButton: {
      auto* radio = new QRadioButton(caption, parent);
      radio->setAutoExclusive(false);  // the window groups them
      return radio;
    }
    case K::GroupBox:
      return new QGroupBox(caption, parent);
    case K::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::Box);
      return frame;
    }
    case K::Label:
      return new QLabel(caption, parent);
    case K::Picture:
      return new QLabel(parent);
    case K::ReadOnlyLineEdit: {
      auto* edit = new QLineEdit(parent);
      edit->setReadOnly(true);
      return edit;
    }
    case K::TabWidget:
      return new QTabWidget(parent);
    case K::Trackbar:
      return NewTrackbar(100, parent);
    case K::ScrollBarHorizontal:
      return new QScrollBar(Qt::Horizontal, parent);
    case K::ScrollBarVertical:
      return new QScrollBar(Qt::Vertical, parent);
    case K::UpDownVertical:
      return new UpDown(Qt::Vertical, parent);
    case K::UpDownHorizontal:
      return new UpDown(Qt::Horizontal, parent);
  }
  return nullptr;
}

}  // namespace

std::vector<int> PageControls(int page) {
  std::vector<int> controls;
  if (page < 0) return controls;  // kAlways and kNever are no pages
  for (const ControlEntry& entry : kControls) {
    if (entry.page == page) controls.push_back(entry.id);
  }
  return controls;
}

QString ControlCaption(int id) {
  const auto entry = std::ranges::find(kControls, id, &ControlEntry::id);
  return entry == kControls.end() ? QString() : Caption(*entry);
}

QHash<int, QWidget*> CreateControls(QWidget* parent) {
  QHash<int, QWidget*> controls;
  for (const ControlEntry& entry : kControls) {
    QWidget* control = MakeControl(entry, parent);
    control->setObjectName(QString::fromLatin1(entry.name));
    if (entry.page == kNever) control->hide();
    controls.insert(entry.id, control);
  }
  return controls;
}
