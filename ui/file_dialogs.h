#pragma once
#include <QString>

class QWidget;

// Asks for the file of "Speichern (Screenshot)": a modal save dialog over
// parent with the file types "Bitmap (*.bmp)" (the default), PNG, JPEG and
// "Messwerte (*.csv)" (the measured values instead of the picture), no name
// given, the chosen type's suffix appended to a name typed without one, and
// the toolkit's question before an existing file is replaced. Empty if the
// user cancelled.
QString AskExportPath(QWidget* parent);

// Asks where "Temperaturverlauf" saves its CSV file, with the toolkit's
// question before an existing file is replaced; empty if cancelled.
QString AskTrendPath(QWidget* parent);

// Asks where "Linienprofil" saves its CSV file, likewise.
QString AskProfilePath(QWidget* parent);

// Asks where "Bericht…" saves its PDF file, likewise.
QString AskReportPath(QWidget* parent);

// Asks for a file of "Messwerte (*.csv)" to open; empty if cancelled.
QString AskMeasurementsPath(QWidget* parent);

// Asks for a picture file in any format the program reads, starting at the
// folder of `current`; empty if cancelled.
QString AskBackgroundPath(QWidget* parent, const QString& current);
