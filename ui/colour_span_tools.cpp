#include "ui/colour_span_tools.h"

#include <QActionGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>

#include "ui/picture_model.h"

namespace {

QString FieldName(SpanField field) {
  return field == SpanField::Lowest ? ColourSpanTools::tr("Niedrigste") : ColourSpanTools::tr("Höchste");
}

QString RefusalText(const SpanRefusal& refusal) {
  switch (refusal.fault) {
    case SpanFault::NotAWholeNumber:
      return ColourSpanTools::tr("„%1“: bitte eine ganze Zahl von Grad eingeben").arg(FieldName(refusal.field));
    case SpanFault::OutsideTheHeadsDegrees:
      return ColourSpanTools::tr("„%1“: der Messkopf misst nur %2 bis %3 °C")
          .arg(FieldName(refusal.field))
          .arg(kLowestReading)
          .arg(kHighestReading);
    case SpanFault::NotAboveTheLowest:
      break;
  }
  return ColourSpanTools::tr("„%1“ muss über „%2“ liegen").arg(FieldName(SpanField::Highest), FieldName(SpanField::Lowest));
}

}  // namespace

ColourSpanTools::ColourSpanTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine)
    : window_(window), picture_(picture), note_(new QLabel(&statusLine)) {
  note_->setObjectName(QStringLiteral("spanNote"));
  auto* menu = new QMenu(tr("Farbbereich"), &window);
  auto* choices = new QActionGroup(menu);
  // The keys are the window's own (the menu's entries only name them): a key
  // of an entry too would make it ambiguous.
  const QKeySequence standardKey(Qt::CTRL | Qt::SHIFT | Qt::Key_B), automaticKey(Qt::CTRL | Qt::Key_B);
  const auto withKey = [](const QString& text, const QKeySequence& key) {
    return text + u'\t' + key.toString(QKeySequence::NativeText);
  };
  standard_ = menu->addAction(withKey(tr("Standard (10–160 °C)"), standardKey));
  automatic_ = menu->addAction(withKey(tr("Automatisch"), automaticKey));
  fixed_ = menu->addAction(tr("Fest…"));
  for (QAction* choice : {standard_, automatic_, fixed_}) {
    choice->setCheckable(true);
    choices->addAction(choice);
  }
  window.addAction(menu->menuAction());
  const auto setStandard = [this] { picture_.SetSpanMode(PictureModel::SpanMode::Standard); };
  const auto setAutomatic = [this] { picture_.SetSpanMode(PictureModel::SpanMode::Automatic); };
  connect(standard_, &QAction::triggered, this, setStandard);
  connect(automatic_, &QAction::triggered, this, setAutomatic);
  connect(fixed_, &QAction::triggered, this, [this] {
    AskFixedSpan();
    ShowChoice();  // a cancelled dialog keeps the choice before
  });
  connect(new QShortcut(standardKey, &window), &QShortcut::activated, this, setStandard);
  connect(new QShortcut(automaticKey, &window), &QShortcut::activated, this, setAutomatic);
  statusLine.addPermanentWidget(note_);
  connect(&picture, &PictureModel::changed, this, [this](PictureModel::Parts parts) {
    if (parts & PictureModel::kScale) ShowChoice();
  });
  ShowChoice();
}

void ColourSpanTools::ShowChoice() {
  const PictureModel::SpanMode mode = picture_.Span();
  standard_->setChecked(mode == PictureModel::SpanMode::Standard);
  automatic_->setChecked(mode == PictureModel::SpanMode::Automatic);
  fixed_->setChecked(mode == PictureModel::SpanMode::Fixed);
  note_->setText(picture_.SpanText());
  note_->setVisible(!note_->text().isEmpty());
}

bool ColourSpanTools::AskFixedSpan() {
  QDialog dialog(&window_);
  dialog.setWindowTitle(tr("Farbbereich"));
  auto* form = new QFormLayout(&dialog);
  auto* lowest = new QLineEdit(QString::number(picture_.Image().ScaleMin()), &dialog);
  auto* highest = new QLineEdit(QString::number(picture_.Image().ScaleMax()), &dialog);
  lowest->setObjectName(QStringLiteral("lowest"));
  highest->setObjectName(QStringLiteral("highest"));
  form->addRow(tr("%1 (°C):").arg(FieldName(SpanField::Lowest)), lowest);
  form->addRow(tr("%1 (°C):").arg(FieldName(SpanField::Highest)), highest);
  auto* refusal = new QLabel(&dialog);
  refusal->setObjectName(QStringLiteral("refusal"));
  form->addRow(refusal);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    const auto parsed = ParseFixedSpan(lowest->text().toStdString(), highest->text().toStdString());
    if (const auto* span = std::get_if<ColourSpan>(&parsed)) {
      picture_.SetSpanMode(PictureModel::SpanMode::Fixed, *span);
      return dialog.accept();
    }
    refusal->setText(RefusalText(std::get<SpanRefusal>(parsed)));  // nothing changes; the dialog stays
  });
  return dialog.exec() == QDialog::Accepted;
}
