#include "ui/report_tools.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "ui/dialog_parts.h"
#include "ui/file_dialogs.h"
#include "ui/report.h"

ReportTools::ReportTools(QWidget& window, const PictureModel& picture, PathChooser choosePath)
    : window_(window), picture_(picture), choosePath_(choosePath ? std::move(choosePath) : AskReportPath) {
  auto* separator = new QAction(&window);
  separator->setSeparator(true);
  window.addAction(separator);
  connect(AddContextEntry(window, tr("Bericht…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)),
          &QAction::triggered, this, &ReportTools::Save);
  connect(AddContextEntry(window, tr("Drucken…"), QKeySequence::Print), &QAction::triggered, this,
          &ReportTools::Print);
}

// The report shows the model as it is when the path has been chosen.
bool ReportTools::Save() {
  const QString path = choosePath_(&window_);
  if (path.isEmpty()) return false;
  if (const std::optional<QString> problem = SaveReport(path, picture_, QDateTime::currentDateTime())) {
    emit statusMessage(*problem);
    QMessageBox::warning(&window_, tr("Bericht"), *problem);
    return false;
  }
  emit statusMessage(tr("Die Datei %1 wurde gespeichert.").arg(QDir::toNativeSeparators(path)));
  return true;
}

void ReportTools::Print() {
  QPrinter printer;
  printer.setPageLayout(ReportPageLayout());
  QPrintDialog dialog(&printer, &window_);
  if (dialog.exec() != QDialog::Accepted) return;
  PaintReport(printer, picture_, QDateTime::currentDateTime());
  emit statusMessage(tr("Der Bericht wurde gedruckt."));
}
