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
#include "ui/up_down.h"
#include "ui/wrapping_check_box.h"

using K = ControlKind;

const std::array<ControlEntry, kControlCount> kControls{{
    {1066, K::Edit, "", kNever},
    {1067, K::UpDownVertical, "", kNever},
    {1019, K::TabControl, "", kAlways},
    {1020, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Start"), kPageKamera},
    {1021, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Stopp"), kPageKamera},
    {1022, K::Trackbar, "", kPageWaermebild},
    {1023, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Reset"), kPageKamera},
    {1024, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Löschen (Wärmebild)"), kPageWaermebild},
    {1034, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Steuerung"), kPageKamera},
    {1035, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Messbereich verkleinern"), kPageKamera},
    {1038, K::GroupBox, "", kPageKamera},
    {1025, K::UpDownVertical, "", kPageKamera},
    {1026, K::UpDownVertical, "", kPageKamera},
    {1027, K::UpDownHorizontal, "", kPageKamera},
    {1028, K::UpDownHorizontal, "", kPageKamera},
    {1029, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Reset"), kPageKamera},
    {1036, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Rücklauf"), kPageKamera},
    {1030, K::MultiLineCheckBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Stopp nach einem Durchlauf"), kPageKamera},
    {1031, K::MultiLineCheckBox, QT_TRANSLATE_NOOP("CTorvakDlg", "in beiden Richtungen messen"), kPageKamera},
    {1032, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "1-zeilig"), kNever},
    {1033, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "4-zeilig"), kNever},
    {1037, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Genauigkeit"), kNever},
    {1039, K::Edit, "", kAlways},
    {1040, K::Edit, "", kAlways},
    {1047, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Umgebung:"), kAlways},
    {1048, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Mausposition:"), kAlways},
    {1045, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Max:"), kAlways},
    {1046, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Min:"), kAlways},
    {1041, K::Edit, "", kAlways},
    {1042, K::Edit, "", kAlways},
    {1043, K::TabControl, "", kAlways},  // hidden by the first paint
    {1049, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Mittelposition"), kPageEinstellungen},
    {1050, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Bild Laden"), kPageEinstellungen},
    {1044, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Webcam"), kPageEinstellungen},
    {1051, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "1. Kamera positionieren:"), kPageEinstellungen},
    {1055, K::StaticText, "C:/temp/Torvak.bmp", kPageEinstellungen},
    {1053, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "3. als Hintergrundbild verwenden:"), kPageEinstellungen},
    {1052, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "2. Webcam-Bild speichern unter:"), kPageEinstellungen},
    {1054, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Transparenz"), kPageWaermebild},
    {1056, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "COM-Port"), kPageEinstellungen},
    {1057, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 1"), kPageEinstellungen},
    {1058, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 2"), kPageEinstellungen},
    {1059, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 3"), kPageEinstellungen},
    {1060, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 4"), kPageEinstellungen},
    {1061, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 5"), kPageEinstellungen},
    {1062, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 6"), kPageEinstellungen},
    {1063, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 7"), kPageEinstellungen},
    {1064, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Com 8"), kPageEinstellungen},
    {1065, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Anordnung"), kPageWaermebild},
    {1075, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Schrittweite"), kNever},
    {1070, K::CheckBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Linkes Bild"), kPageWaermebild},
    {1071, K::CheckBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Rechtes Bild"), kPageWaermebild},
    {1072, K::ScrollBarHorizontal, "", kPageWaermebild},
    {1073, K::ScrollBarVertical, "", kPageWaermebild},
    {1078, K::BlackFrame, "", kNever},
    {1074, K::ScrollBarVertical, "", kPageWaermebild},
    {1076, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Position"), kPageWaermebild},
    {1077, K::StaticText, QT_TRANSLATE_NOOP("CTorvakDlg", "Größe"), kPageWaermebild},
    {1079, K::ScrollBarHorizontal, "", kPageWaermebild},
    {1080, K::MultiLineCheckBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Seitenverhältnis beibehalten"), kPageWaermebild},
    {1081, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Reset auf Startwerte"), kPageWaermebild},
    {1082, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Speichern (Screenshot)"), kPageWaermebild},
    {1083, K::Bitmap, "", kNever},
    {1084, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Mess-Pixel"), kPageWaermebild},
    {1085, K::RadioButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Weichzeichner"), kPageWaermebild},
    {1068, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Bild Ausblenden"), kNever},
    {1069, K::GroupBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Speichern"), kPageWaermebild},
    {1086, K::MultiLineCheckBox, QT_TRANSLATE_NOOP("CTorvakDlg", "Hintergrundbild sichtbar"), kPageWaermebild},
    {1087, K::PushButton, QT_TRANSLATE_NOOP("CTorvakDlg", "Edit"), kPageWaermebild},
}};

namespace {

constexpr int kKamera[] = {1034, 1020, 1021, 1023, 1035, 1038, 1025,
                           1026, 1027, 1028, 1029, 1036, 1030, 1031};
constexpr int kWaermebild[] = {1065, 1069, 1076, 1077, 1070, 1071, 1072, 1073, 1074, 1079,
                               1080, 1081, 1082, 1024, 1084, 1085, 1087, 1054, 1022, 1086};
constexpr int kEinstellungen[] = {1044, 1051, 1052, 1053, 1049, 1050, 1055, 1056,
                                  1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064};

// Unmarked captions (the file name of 1055) have no translation and come back unchanged.
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
    case K::MultiLineCheckBox:
      return new WrappingCheckBox(caption, parent);
    case K::RadioButton: {
      auto* radio = new QRadioButton(caption, parent);
      radio->setAutoExclusive(false);  // the window groups them
      return radio;
    }
    case K::GroupBox:
      return new QGroupBox(caption, parent);
    case K::BlackFrame: {
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::Box);
      return frame;
    }
    case K::StaticText:
      return new QLabel(caption, parent);
    case K::Bitmap:
      return new QLabel(parent);
    case K::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setReadOnly(true);
      return edit;
    }
    case K::TabControl:
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

std::span<const int> PageControls(int page) {
  switch (page) {
    case kPageKamera:
      return kKamera;
    case kPageWaermebild:
      return kWaermebild;
    case kPageEinstellungen:
      return kEinstellungen;
    default:
      return {};
  }
}

QString ControlCaption(int id) {
  const auto entry = std::ranges::find(kControls, id, &ControlEntry::id);
  return entry == kControls.end() ? QString() : Caption(*entry);
}

QHash<int, QWidget*> CreateControls(QWidget* parent) {
  QHash<int, QWidget*> controls;
  for (const ControlEntry& entry : kControls) {
    QWidget* control = MakeControl(entry, parent);
    control->setObjectName(QString::number(entry.id));
    if (entry.page == kNever) control->hide();
    controls.insert(entry.id, control);
  }
  return controls;
}
