#include "ui/reference_tools.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

#include "image/difference.h"
#include "ui/dialog_parts.h"
#include "ui/file_dialogs.h"
#include "ui/picture_model.h"

ReferenceTools::ReferenceTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine)
    : window_(window), picture_(picture), note_(new QLabel(&statusLine)) {
  note_->setObjectName(QStringLiteral("differenceNote"));
  note_->hide();
  statusLine.addPermanentWidget(note_);
  auto* menu = new QMenu(tr("Referenz und Differenz"), &window);
  window.addAction(menu->menuAction());
  connect(AddMenuEntry(window, *menu, tr("Als Referenz merken"), QKeySequence(Qt::CTRL | Qt::Key_R)),
          &QAction::triggered, this, [this] { Report(picture_.RememberReference(), tr("Referenz gemerkt")); });
  connect(menu->addAction(tr("Referenz aus Datei…")), &QAction::triggered, this, [this] {
    if (const QString path = AskMeasurementsPath(&window_); !path.isEmpty()) TakeReferenceFile(path);
  });
  menu->addSeparator();
  connect(AddMenuEntry(window, *menu, tr("Differenz zur Referenz"), QKeySequence(Qt::CTRL | Qt::Key_D)),
          &QAction::triggered, this, [this] { Report(picture_.ShowDifference(), tr("Differenz zur Referenz")); });
  connect(AddMenuEntry(window, *menu, tr("Differenz aus"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)),
          &QAction::triggered, this, [this] { picture_.HideDifference(); });
  connect(menu->addAction(tr("Differenzbereich automatisch")), &QAction::triggered, this,
          [this] { picture_.SetDifferenceReach(std::nullopt); });
  connect(menu->addAction(tr("Differenzbereich fest…")), &QAction::triggered, this, &ReferenceTools::AskFixedReach);
  connect(&picture, &PictureModel::changed, this, [this] {
    note_->setText(picture_.DifferenceNote());
    note_->setVisible(!note_->text().isEmpty());
  });
}

void ReferenceTools::Report(const std::optional<QString>& refusal, const QString& done) {
  emit statusMessage(refusal.value_or(done));
}

void ReferenceTools::TakeReferenceFile(const QString& path) {
  Report(picture_.ReferenceFromFile(path), tr("Referenz aus %1 übernommen").arg(path));
}

bool ReferenceTools::AskFixedReach() {
  FieldsDialog dialog(window_, tr("Differenzbereich"));
  auto* reach = dialog.AddField(tr("Bis ± (K):"), QStringLiteral("5"), QStringLiteral("reach"));
  return dialog.Ask([&]() -> std::optional<QString> {
    const auto parsed = ParseDifferenceReach(reach->text().toStdString());
    if (const auto* kelvin = std::get_if<int>(&parsed)) {
      picture_.SetDifferenceReach(*kelvin);
      return std::nullopt;
    }
    return tr("„Bis ±“: bitte eine ganze Zahl von 1 bis %1 Kelvin eingeben").arg(kWidestDifference);
  });
}
