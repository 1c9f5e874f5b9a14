#include "ui/file_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

namespace {

// "Bitmap (*.bmp)" -> "bmp": the suffix of the type's first pattern.
QString FilterSuffix(const QString& filter) {
  static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)"));
  return firstPattern.match(filter).captured(1);
}

}  // namespace

QString AskExportPath(QWidget* parent) {
  // A translated type keeps its pattern: the default suffix is read from it.
  const QStringList types{QCoreApplication::translate("FileDialogs", "Bitmap (*.bmp)"), QStringLiteral("PNG (*.png)"),
                          QStringLiteral("JPEG (*.jpg *.jpeg)"),
                          QCoreApplication::translate("FileDialogs", "Messwerte (*.csv)")};
  QFileDialog dialog(parent, QCoreApplication::translate("FileDialogs", "Speichern unter"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(types);
  dialog.setDefaultSuffix(FilterSuffix(types.constFirst()));
  // "Messwerte" chosen and a name typed without suffix: a .csv file, not a .bmp.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& type) { dialog.setDefaultSuffix(FilterSuffix(type)); });
  if (dialog.exec() != QDialog::Accepted) {
    return {};
  }
  return dialog.selectedFiles().value(0);
}

QString AskMeasurementsPath(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("FileDialogs", "Messwerte öffnen"),
                                      QString(), QCoreApplication::translate("FileDialogs", "Messwerte (*.csv)"));
}

QString AskBackgroundPath(QWidget* parent, const QString& current) {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) patterns << "*." + QString::fromLatin1(format);
  const QString filter = QCoreApplication::translate("FileDialogs", "Bilder (%1)").arg(patterns.join(u' ')) +
                         QStringLiteral(";;") + QCoreApplication::translate("FileDialogs", "Alle Dateien (*)");
  return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("FileDialogs", "Hintergrundbild wählen"),
                                      QFileInfo(current).path(), filter);
}

namespace {

// A save dialog for a file of the given kind, with the toolkit's question before replacing one.
QString AskSavePath(QWidget* parent, const QString& filter, const QString& suffix) {
  QFileDialog dialog(parent, QCoreApplication::translate("FileDialogs", "Speichern unter"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(suffix);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

QString AskTrendPath(QWidget* parent) {
  return AskSavePath(parent, QCoreApplication::translate("FileDialogs", "Temperaturverlauf (*.csv)"),
                     QStringLiteral("csv"));
}

QString AskProfilePath(QWidget* parent) {
  return AskSavePath(parent, QCoreApplication::translate("FileDialogs", "Linienprofil (*.csv)"), QStringLiteral("csv"));
}

QString AskReportPath(QWidget* parent) {
  return AskSavePath(parent, QCoreApplication::translate("FileDialogs", "Bericht (*.pdf)"), QStringLiteral("pdf"));
}
