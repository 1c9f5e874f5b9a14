#include "ui/profile_window.h"

#include <QChart>
#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>

#include "overlay/file_writing.h"
#include "trend/profile_csv.h"
#include "ui/file_dialogs.h"
#include "ui/picture_model.h"

namespace {

constexpr int kRedrawMs = 250;

// One profile as lines through its values; a cell without one breaks the line.
void AddProfile(QChart& chart, const std::vector<double>& positions, const LineProfile& values, const QString& name,
                const QColor& colour) {
  QLineSeries* run = nullptr;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!values[i]) {
      run = nullptr;
      continue;
    }
    if (run == nullptr) {
      run = new QLineSeries(&chart);
      run->setName(name);
      run->setPen(QPen(colour, 2));
      chart.addSeries(run);
    }
    run->append(positions[i], *values[i]);
  }
}

}  // namespace

ProfileWindow::ProfileWindow(PictureModel& picture, QWidget* parent, PathChooser choosePath)
    : QWidget(parent, Qt::Tool),
      picture_(picture),
      choosePath_(choosePath ? std::move(choosePath) : AskProfilePath),
      chart_(new QChart),
      saved_(new QLabel),
      timer_(new QTimer(this)) {
  setWindowTitle(tr("Linienprofil"));
  auto* layout = new QVBoxLayout(this);
  auto* view = new QChartView(chart_);
  view->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(view, 1);
  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(tr("Speichern…"));
  saved_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  buttons->addWidget(saved_, 1);
  buttons->addWidget(save);
  layout->addLayout(buttons);
  connect(save, &QPushButton::clicked, this, &ProfileWindow::Save);
  connect(&picture, &PictureModel::changed, this, [this](PictureModel::Parts parts) {
    if (parts & (PictureModel::kPicture | PictureModel::kLine)) stale_ = true;
  });
  timer_->setInterval(kRedrawMs);
  connect(timer_, &QTimer::timeout, this, [this] {
    if (stale_ && isVisible()) Redraw();
  });
  timer_->start();
  Redraw();
  resize(640, 420);
}

void ProfileWindow::Redraw() {
  stale_ = false;
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) chart_->removeAxis(axis);
  const ProfileHistory& profile = picture_.Profile();
  if (!profile.HasLine()) {
    chart_->setTitle(tr("Noch keine Linie: Alt+Ziehen über dem Bild oder „Linienprofil von hier“ im Kontextmenü"));
    return;
  }
  chart_->setTitle({});
  const auto& earlier = profile.Earlier();
  for (std::size_t i = 0; i < earlier.size(); ++i) {
    QColor faint(40, 90, 200);
    faint.setAlphaF(0.15 + 0.5 * static_cast<double>(i + 1) / static_cast<double>(earlier.size() + 1));
    AddProfile(*chart_, profile.Positions(), earlier[i].values, tr("nach %1 s").arg(qRound(earlier[i].seconds)), faint);
  }
  AddProfile(*chart_, profile.Positions(), profile.Live().values, tr("jetzt"), QColor(200, 30, 30));
  auto* x = new QValueAxis;
  x->setTitleText(tr("Position entlang der Linie (Zellen)"));
  x->setRange(0, std::max(1.0, profile.Positions().back()));
  auto* y = new QValueAxis;
  y->setTitleText(tr("Temperatur (° C)"));
  chart_->addAxis(x, Qt::AlignBottom);
  chart_->addAxis(y, Qt::AlignLeft);
  double low = 1e9, high = -1e9;
  for (QAbstractSeries* series : chart_->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
    for (const QPointF& p : static_cast<QLineSeries*>(series)->points()) low = std::min(low, p.y()), high = std::max(high, p.y());
  }
  if (low <= high) y->setRange(low - 1, high + 1);
}

// The profiles are taken when the button is pressed; a failed write leaves
// any existing file as it was.
bool ProfileWindow::Save() {
  const std::string csv = ProfileCsv(picture_.Profile());
  const QString path = choosePath_(this);
  if (path.isEmpty()) return false;
  const std::optional<QString> problem = WriteFileAtomically(path, [&csv](QIODevice& device) {
    return device.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
  });
  if (problem) {
    saved_->clear();
    QMessageBox::warning(this, windowTitle(), *problem);
    return false;
  }
  picture_.MarkProfilesSaved();
  saved_->setText(tr("Gespeichert unter %1").arg(QDir::toNativeSeparators(path)));
  return true;
}

bool ProfileWindow::ConfirmDiscard() {
  QWidget* parent = isVisible() ? this : parentWidget();
  const QMessageBox::StandardButton answer = QMessageBox::question(
      parent, tr("Linienprofile verwerfen?"),
      tr("Das Linienprofil enthält frühere Profile, die noch nicht gespeichert sind. Sollen sie verworfen werden?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}
