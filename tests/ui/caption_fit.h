#pragma once
// Whether a control's caption fits the room its style gives it.
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>

#include "ui/wrapping_check_box.h"

// An empty string when the caption fits, else what overflows.
inline QString CaptionOverflow(QWidget* control) {
  const QFontMetrics metrics(control->font());
  QStyle* style = control->style();
  const auto tooWide = [&](const QString& text, const QRect& room) -> QString {
    const int width = metrics.horizontalAdvance(text);
    if (width > room.width() || metrics.height() > room.height()) {
      return QStringLiteral("\"%1\" needs %2 x %3, has %4 x %5")
          .arg(text)
          .arg(width)
          .arg(metrics.height())
          .arg(room.width())
          .arg(room.height());
    }
    return {};
  };
  QStyleOptionButton button;
  button.initFrom(control);
  if (auto* wrapping = qobject_cast<WrappingCheckBox*>(control)) {
    const QRect room = wrapping->CaptionRect();
    const QRect needed =
        metrics.boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, wrapping->text());
    if (needed.width() > room.width() || needed.height() > room.height()) {
      return QStringLiteral("\"%1\" wraps to %2 x %3, has %4 x %5")
          .arg(wrapping->text())
          .arg(needed.width())
          .arg(needed.height())
          .arg(room.width())
          .arg(room.height());
    }
    return {};
  }
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    return tooWide(box->text(), style->subElementRect(QStyle::SE_CheckBoxContents, &button, control));
  }
  if (auto* radio = qobject_cast<QRadioButton*>(control)) {
    return tooWide(radio->text(), style->subElementRect(QStyle::SE_RadioButtonContents, &button, control));
  }
  if (auto* push = qobject_cast<QPushButton*>(control)) {
    // Inside the button's bevel.
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &button, control);
    return tooWide(push->text(), push->rect().adjusted(frame, frame, -frame, -frame));
  }
  if (auto* label = qobject_cast<QLabel*>(control)) return tooWide(label->text(), label->contentsRect());
  if (auto* group = qobject_cast<QGroupBox*>(control)) {
    return group->title().isEmpty() ? QString()
                                    : tooWide(group->title(), group->rect().adjusted(8, 0, -8, 0));
  }
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
    return tooWide(edit->text(), edit->rect().adjusted(frame + 2, frame, -frame - 2, -frame));
  }
  if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
    // Tabs that do not fit would get scroll arrows.
    const int needed = tabs->tabBar()->sizeHint().width();
    if (needed > tabs->width()) return QStringLiteral("tabs need %1, have %2").arg(needed).arg(tabs->width());
  }
  return {};
}
