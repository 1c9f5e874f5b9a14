#pragma once
#include <QRect>

#include <QDialog>
#include <QKeySequence>
#include <QString>
#include <functional>
#include <optional>

#include "image/colour_span.h"

class QAction;
class QFont;
class QFormLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QWidget;

// What the main window and its dialogs share.

// An entry of the window's context menu, with its shortcut shown in the
// menu and working without it.
QAction* AddContextEntry(QWidget& window, const QString& text, QKeySequence shortcut = {});
// An entry of a submenu of it. Its key is the window's own and only named
// in the entry (a key of the entry too would make it ambiguous).
QAction* AddMenuEntry(QWidget& window, QMenu& menu, const QString& text, QKeySequence shortcut = {});

// A horizontal trackbar from 0 to maximum without tick marks that pages by a
// fifth of its range, as trackbars do by default.
QSlider* NewTrackbar(int maximum, QWidget* parent);

// A dialog's layout in dialog units of its font: a quarter of the average
// letter width across, an eighth of the line height down, so the layout
// grows with the font and every caption keeps its room.
class DialogUnits {
 public:
  // How units become pixels. Each dialog keeps the one it was laid out with:
  // the two give pixels apart by up to a few per control.
  enum class Rounding {
    WholeBase,  // the average letter width and line height in whole pixels, every result cut off
    Nearest,    // the exact average width and line height, every result rounded to the nearest pixel
  };
  DialogUnits(const QFont& font, Rounding rounding);

  int X(int units) const;
  int Y(int units) const;
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }
  QRect Rect(int x, int y, int width, int height) const { return {QPoint(X(x), Y(y)), Size(width, height)}; }
  QRect Rect(const QRect& inUnits) const { return Rect(inUnits.x(), inUnits.y(), inUnits.width(), inUnits.height()); }

 private:
  Rounding rounding_;
  double letterWidth_;
  double lineHeight_;
};

// A small dialog of typed fields with a line for a refusal.
class FieldsDialog : public QDialog {
  Q_OBJECT
 public:
  FieldsDialog(QWidget& parent, const QString& title);
  QLineEdit* AddField(const QString& caption, const QString& text, const QString& objectName);
  void AddRow(const QString& caption, QWidget* field);
  // Shows the dialog. OK calls `take`: nothing returned means the fields were
  // taken and the dialog closes; a sentence is shown and the dialog stays.
  // True when the fields were taken.
  bool Ask(const std::function<std::optional<QString>()>& take);

  // Why typed degrees were refused, naming the field by its caption.
  static QString DegreesRefusal(const SpanRefusal& refusal, const QString& lowestName, const QString& highestName);

 private:
  QFormLayout* form_;
  QLabel* refusal_;
};
