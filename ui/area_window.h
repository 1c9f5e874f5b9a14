#pragma once
#include <QWidget>

class PictureModel;
class QTableWidget;

// "Messfelder": a small window of its own with a line per measuring area,
// live: its number in its colour, the cells it read of its cells, and the
// mean, highest and lowest of its sure readings.
class AreaWindow : public QWidget {
  Q_OBJECT
 public:
  explicit AreaWindow(const PictureModel& picture, QWidget* parent = nullptr);

 private:
  void ShowValues();

  const PictureModel& picture_;
  QTableWidget* table_;
};
