#include "ui/screenshot.h"

#include <QLineEdit>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "overlay/export.h"
#include "ui/picture_painter.h"

namespace {

// While it lives, the window's text fields in an area show neither a
// selection nor the marks of the focus (its frame, the text cursor), so that
// a grab of the area shows their text only. Afterwards all is as it was.
class PlainTextFields {
 public:
  PlainTextFields(QWidget& window, const QRect& area) {
    for (QLineEdit* edit : window.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
      if (!edit->isVisible() || !edit->geometry().intersects(area)) continue;
      selections_.push_back({edit, edit->selectionStart(), edit->selectionLength(), edit->cursorPosition()});
      if (edit->hasFocus()) {
        focused_ = edit;
        edit->clearFocus();
      }
      edit->deselect();
    }
  }
  ~PlainTextFields() {
    if (focused_ != nullptr) focused_->setFocus(Qt::OtherFocusReason);
    for (const Selection& s : selections_) {
      if (s.length == 0) continue;
      const bool cursorAtStart = s.cursor == s.start;  // selected from right to left
      s.edit->setSelection(cursorAtStart ? s.start + s.length : s.start, cursorAtStart ? -s.length : s.length);
    }
  }
  PlainTextFields(const PlainTextFields&) = delete;
  PlainTextFields& operator=(const PlainTextFields&) = delete;

 private:
  struct Selection {
    QLineEdit* edit;
    int start;
    int length;
    int cursor;
  };
  std::vector<Selection> selections_;
  QLineEdit* focused_ = nullptr;
};

}  // namespace

QImage TakeScreenshot(QWidget& window, const PictureModel& model, const QRect& pictureArea) {
  QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  {
    QPainter painter(&picture);
    painter.setFont(window.font());
    PaintPicture(painter, model, picture.rect());
  }
  const QRect strip(pictureArea.right() + 1, pictureArea.top(), kStripWidth, kExportHeight);
  const PlainTextFields plain(window, strip);
  return AssembleScreenshot(picture, window.grab(strip).toImage());
}
