#pragma once
#include <QObject>
#include <QString>
#include <functional>

class PictureModel;
class QWidget;

// The lesson report in a window: "Bericht…" (Ctrl+Shift+P) saves it as PDF,
// "Drucken…" (Ctrl+P) prints the same page, both at the end of the context
// menu after a separator. The report reads the picture model only.
class ReportTools : public QObject {
  Q_OBJECT
 public:
  // Asks where the report goes; empty when cancelled.
  using PathChooser = std::function<QString(QWidget*)>;
  ReportTools(QWidget& window, const PictureModel& picture, PathChooser choosePath = {});

  // "Bericht…": true when the report was written; a failure is said in a message box.
  bool Save();
  // "Drucken…": the print dialog, then the page to the printer chosen.
  void Print();

 signals:
  // A plain sentence for the status line.
  void statusMessage(const QString& text);

 private:
  QWidget& window_;
  const PictureModel& picture_;
  PathChooser choosePath_;
};
