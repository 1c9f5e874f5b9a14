#pragma once
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

// A PDF's text as pdftotext (poppler-utils) reads it; pdftotext missing fails the test.
inline QString PdfText(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  EXPECT_TRUE(process.waitForFinished()) << "pdftotext (poppler-utils) is needed";
  EXPECT_EQ(process.exitCode(), 0);
  return QString::fromUtf8(process.readAllStandardOutput());
}
