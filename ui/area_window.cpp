#include "ui/area_window.h"

#include <QHeaderView>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/marker_colours.h"
#include "ui/picture_model.h"

AreaWindow::AreaWindow(const PictureModel& picture, QWidget* parent)
    : QWidget(parent, Qt::Window), picture_(picture), table_(new QTableWidget(0, 6, this)) {
  setWindowTitle(tr("Messfelder"));
  table_->setHorizontalHeaderLabels({tr("Messfeld"), tr("Zellen gelesen"), tr("Mittel"), tr("Höchste"), tr("Niedrigste"), tr("ε")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  resize(520, 200);
  connect(&picture, &PictureModel::changed, this, [this](PictureModel::Parts parts) {
    if (parts & (PictureModel::kPicture | PictureModel::kAreas)) ShowValues();
  });
  ShowValues();
}

void AreaWindow::ShowValues() {
  const std::vector<CellArea>& areas = picture_.Areas();
  table_->setRowCount(static_cast<int>(areas.size()));
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const int row = static_cast<int>(i);
    const std::optional<AreaStatistics> values = picture_.AreaValues(i);
    const QString dash = QStringLiteral("–");
    const PictureModel::AreaTexts shown = picture_.AreaValueTexts(i).value_or(PictureModel::AreaTexts{dash, dash, dash});
    const QStringList texts{QString::number(i + 1),
                            tr("%1 von %2").arg(values ? values->cellsRead : 0).arg(areas[i].Cells()),
                            shown.mean,
                            shown.highest,
                            shown.lowest,
                            QLocale().toString(picture_.AreaEmissivity(i), 'f', 2)};
    for (int column = 0; column < texts.size(); ++column) {
      auto* item = new QTableWidgetItem(texts[column]);
      if (column == 0) item->setBackground(AreaColour(i));
      table_->setItem(row, column, item);
    }
  }
}
