#include "ui/colour_span_tools.h"

#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

#include "ui/dialog_parts.h"
#include "ui/picture_model.h"

namespace {

QString FieldName(SpanField field) {
  return field == SpanField::Lowest ? ColourSpanTools::tr("Niedrigste") : ColourSpanTools::tr("Höchste");
}

}  // namespace

ColourSpanTools::ColourSpanTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine)
    : window_(window), picture_(picture), note_(new QLabel(&statusLine)) {
  note_->setObjectName(QStringLiteral("spanNote"));
  auto* menu = new QMenu(tr("Farbbereich"), &window);
  auto* choices = new QActionGroup(menu);
  standard_ = AddMenuEntry(window, *menu, tr("Standard (10–160 °C)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
  automatic_ = AddMenuEntry(window, *menu, tr("Automatisch"), QKeySequence(Qt::CTRL | Qt::Key_B));
  fixed_ = menu->addAction(tr("Fest…"));
  for (QAction* choice : {standard_, automatic_, fixed_}) {
    choice->setCheckable(true);
    choices->addAction(choice);
  }
  window.addAction(menu->menuAction());
  connect(standard_, &QAction::triggered, this, [this] { picture_.SetSpanMode(PictureModel::SpanMode::Standard); });
  connect(automatic_, &QAction::triggered, this, [this] { picture_.SetSpanMode(PictureModel::SpanMode::Automatic); });
  connect(fixed_, &QAction::triggered, this, [this] {
    AskFixedSpan();
    ShowChoice();  // a cancelled dialog keeps the choice before
  });
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
  FieldsDialog dialog(window_, tr("Farbbereich"));
  const QString lowestName = FieldName(SpanField::Lowest), highestName = FieldName(SpanField::Highest);
  auto* lowest = dialog.AddField(tr("%1 (°C):").arg(lowestName), QString::number(picture_.Image().ScaleMin()),
                                 QStringLiteral("lowest"));
  auto* highest = dialog.AddField(tr("%1 (°C):").arg(highestName), QString::number(picture_.Image().ScaleMax()),
                                  QStringLiteral("highest"));
  return dialog.Ask([&]() -> std::optional<QString> {
    const auto parsed = ParseFixedSpan(lowest->text().toStdString(), highest->text().toStdString());
    const auto* span = std::get_if<ColourSpan>(&parsed);
    if (!span) return FieldsDialog::DegreesRefusal(std::get<SpanRefusal>(parsed), lowestName, highestName);
    picture_.SetSpanMode(PictureModel::SpanMode::Fixed, *span);
    return std::nullopt;
  });
}
