#include "ui/isotherm_tools.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "ui/dialog_parts.h"
#include "ui/picture_model.h"

IsothermTools::IsothermTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine)
    : window_(window), picture_(picture), note_(new QLabel(&statusLine)) {
  note_->setObjectName(QStringLiteral("isothermNote"));
  note_->hide();
  statusLine.addPermanentWidget(note_);
  connect(AddContextEntry(window, tr("Isotherme…"), QKeySequence(Qt::CTRL | Qt::Key_I)), &QAction::triggered, this,
          &IsothermTools::AskIsotherm);
  connect(AddContextEntry(window, tr("Isotherme aus"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)),
          &QAction::triggered, this, [this] { picture_.SetIsotherm(std::nullopt); });
  // Every reading may change the count.
  connect(&picture, &PictureModel::changed, this, [this] {
    note_->setText(picture_.IsothermNote());
    note_->setVisible(!note_->text().isEmpty());
  });
}

bool IsothermTools::AskIsotherm() {
  const int middle = (picture_.Image().ScaleMin() + picture_.Image().ScaleMax()) / 2;
  const Isotherm start = picture_.IsothermShown().value_or(Isotherm{IsothermKind::Band, middle - 1, middle + 1});
  FieldsDialog dialog(window_, tr("Isotherme"));
  auto* kind = new QComboBox(&dialog);
  kind->setObjectName(QStringLiteral("kind"));
  kind->addItems({tr("von … bis"), tr("ab"), tr("bis")});  // in the order of IsothermKind
  kind->setCurrentIndex(static_cast<int>(start.kind));
  dialog.AddRow(tr("Zellen:"), kind);
  const QString lowName = tr("Wert"), highName = tr("Bis");
  auto* low = dialog.AddField(tr("%1 (°C):").arg(lowName), QString::number(start.low), QStringLiteral("low"));
  auto* high = dialog.AddField(tr("%1 (°C):").arg(highName), QString::number(start.high), QStringLiteral("high"));
  const auto showKind = [kind, high] { high->setEnabled(kind->currentIndex() == 0); };
  connect(kind, &QComboBox::currentIndexChanged, &dialog, showKind);
  showKind();
  return dialog.Ask([&]() -> std::optional<QString> {
    const auto chosen = static_cast<IsothermKind>(kind->currentIndex());
    const auto parsed = ParseIsotherm(chosen, low->text().toStdString(), high->text().toStdString());
    const auto* isotherm = std::get_if<Isotherm>(&parsed);
    if (!isotherm) return FieldsDialog::DegreesRefusal(std::get<SpanRefusal>(parsed), lowName, highName);
    picture_.SetIsotherm(*isotherm);
    return std::nullopt;
  });
}
