#pragma once
#include <QObject>
#include <QString>
#include <optional>

class PictureModel;
class QLabel;
class QStatusBar;
class QWidget;

// "Referenz und Differenz" in a window's context menu: "Als Referenz merken"
// (Ctrl+R), "Referenz aus Datei…", "Differenz zur Referenz" (Ctrl+D),
// "Differenz aus" (Ctrl+Shift+D) and how far the difference scale reaches
// ("automatisch" or "fest…"). While the difference is shown, a note at the
// right of the status line names the reference's time and the reach.
class ReferenceTools : public QObject {
  Q_OBJECT
 public:
  ReferenceTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine);

  // "Referenz aus Datei…" with the file chosen.
  void TakeReferenceFile(const QString& path);
  // "Differenzbereich fest…": true when a reach was set.
  bool AskFixedReach();

 signals:
  // A plain sentence for the status line.
  void statusMessage(const QString& text);

 private:
  // The sentence of a refusal, or `done` when there was none.
  void Report(const std::optional<QString>& refusal, const QString& done);

  QWidget& window_;
  PictureModel& picture_;
  QLabel* note_;
};
