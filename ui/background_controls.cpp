#include "ui/background_controls.h"

#include <QAbstractButton>
#include <QLabel>

#include "ui/picture_model.h"
#include "ui/torvak_controls.h"

BackgroundControls::BackgroundControls(const QHash<int, QWidget*>& controls, PictureModel& picture)
    : controls_(controls), picture_(picture) {
  const auto onClick = [&](int id, auto handler) {
    connect(qobject_cast<QAbstractButton*>(controls.value(id)), &QAbstractButton::clicked, this, handler);
  };
  onClick(ctl::kLoadPicture, [this] {
    Tell(picture_.LoadStill(), picture_.BackgroundFile());  // the webcam still, at its size
    CheckVisible();
  });
  onClick(ctl::kBackgroundVisible, [this](bool checked) {
    if (checked) {
      Tell(picture_.ShowBackground(), picture_.BackgroundFile());  // read anew: the still may have been replaced
    } else {
      picture_.HideBackground();
    }
  });
  onClick(ctl::kHideBackground, [this] { picture_.HideBackground(); });
}

void BackgroundControls::Choose(const QString& path) {
  const BackgroundLoad load = picture_.ChooseBackground(path);
  Tell(load, path);
  if (load.shown) ShowPathLabel();
  CheckVisible();
}

void BackgroundControls::Tell(const BackgroundLoad& load, const QString& path) {
  emit statusMessage(load.problem.value_or(tr("Hintergrundbild %1 geladen").arg(path)));
}

void BackgroundControls::CheckVisible() {
  qobject_cast<QAbstractButton*>(controls_.value(ctl::kBackgroundVisible))->setChecked(true);
}

void BackgroundControls::ShowPathLabel() {
  auto* pathLabel = qobject_cast<QLabel*>(controls_.value(ctl::kBackgroundPathLabel));
  pathLabel->setText(picture_.BackgroundFile());
  pathLabel->setToolTip(picture_.BackgroundFile());  // a long path does not fit the label
}
