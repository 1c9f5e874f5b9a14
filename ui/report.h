#pragma once
#include <QDateTime>
#include <QPageLayout>
#include <QString>
#include <optional>

class PictureModel;
class QPagedPaintDevice;

// The lesson report "Messbericht", one page portrait for handing out: the
// date, the picture as shown (markers, areas, line, colour span) with its
// colour scale and limits and the ambient temperature, a table of the
// measuring points and areas, the course of the points' readings with the
// last cooling fit, and the line's profiles. A section without content is
// left out. It reads the picture model and its recorder only.
// The report's page: A4 portrait with margins of 15 mm.
QPageLayout ReportPageLayout();
void PaintReport(QPagedPaintDevice& device, const PictureModel& model, const QDateTime& when);

// The report as a PDF file (A4), written all or nothing; on failure the
// sentence the other saves give (missing folder, full disk, …).
std::optional<QString> SaveReport(const QString& path, const PictureModel& model, const QDateTime& when);
