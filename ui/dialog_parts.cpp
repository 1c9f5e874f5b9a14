#include "ui/dialog_parts.h"

#include <QAction>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QSlider>

QAction* AddContextEntry(QWidget& window, const QString& text, QKeySequence shortcut) {
  auto* action = new QAction(text, &window);
  action->setShortcut(shortcut);
  action->setShortcutVisibleInContextMenu(true);
  window.addAction(action);
  return action;
}

QSlider* NewTrackbar(int maximum, QWidget* parent) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setTickPosition(QSlider::NoTicks);
  bar->setRange(0, maximum);
  bar->setPageStep(maximum / 5);
  return bar;
}

DialogUnits::DialogUnits(const QFont& font, Rounding rounding) : rounding_(rounding) {
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const auto count = static_cast<int>(letters.size());
  if (rounding_ == Rounding::WholeBase) {
    const QFontMetrics metrics(font);
    letterWidth_ = (metrics.horizontalAdvance(letters) + count / 2) / count;  // to the nearest whole pixel
    lineHeight_ = metrics.height();
  } else {
    const QFontMetricsF metrics(font);
    letterWidth_ = metrics.horizontalAdvance(letters) / count;
    lineHeight_ = metrics.height();
  }
}

int DialogUnits::X(int units) const {
  const double pixels = units * (letterWidth_ / 4);
  return rounding_ == Rounding::WholeBase ? static_cast<int>(pixels) : qRound(pixels);
}

int DialogUnits::Y(int units) const {
  const double pixels = units * (lineHeight_ / 8);
  return rounding_ == Rounding::WholeBase ? static_cast<int>(pixels) : qRound(pixels);
}
