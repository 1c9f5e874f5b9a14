#include "ui/dialog_parts.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
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

QAction* AddMenuEntry(QWidget& window, QMenu& menu, const QString& text, QKeySequence shortcut) {
  if (shortcut.isEmpty()) return menu.addAction(text);
  QAction* action = menu.addAction(text + u'\t' + shortcut.toString(QKeySequence::NativeText));
  QObject::connect(new QShortcut(shortcut, &window), &QShortcut::activated, action, &QAction::trigger);
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

FieldsDialog::FieldsDialog(QWidget& parent, const QString& title)
    : QDialog(&parent), form_(new QFormLayout(this)), refusal_(new QLabel(this)) {
  setWindowTitle(title);
  refusal_->setObjectName(QStringLiteral("refusal"));
}

QLineEdit* FieldsDialog::AddField(const QString& caption, const QString& text, const QString& objectName) {
  auto* field = new QLineEdit(text, this);
  field->setObjectName(objectName);
  AddRow(caption, field);
  return field;
}

void FieldsDialog::AddRow(const QString& caption, QWidget* field) { form_->addRow(caption, field); }

bool FieldsDialog::Ask(const std::function<std::optional<QString>()>& take) {
  form_->addRow(refusal_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form_->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, this, [this, &take] {
    const std::optional<QString> refusal = take();
    if (!refusal) return accept();
    refusal_->setText(*refusal);  // nothing changes; the dialog stays
  });
  return exec() == QDialog::Accepted;
}

QString FieldsDialog::DegreesRefusal(const SpanRefusal& refusal, const QString& lowestName, const QString& highestName) {
  const QString field = refusal.field == SpanField::Lowest ? lowestName : highestName;
  switch (refusal.fault) {
    case SpanFault::NotAWholeNumber: return tr("„%1“: bitte eine ganze Zahl von Grad eingeben").arg(field);
    case SpanFault::OutsideTheHeadsDegrees:
      return tr("„%1“: der Messkopf misst nur %2 bis %3 °C").arg(field).arg(kLowestReading).arg(kHighestReading);
    case SpanFault::NotAboveTheLowest: return tr("„%1“ muss über „%2“ liegen").arg(highestName, lowestName);
    case SpanFault::BelowTheLowest: break;
  }
  return tr("„%1“ darf nicht unter „%2“ liegen").arg(highestName, lowestName);
}
