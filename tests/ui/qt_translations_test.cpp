// Qt's own dialogs under the German interface.
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

#include "ui/qt_translations.h"

TEST(QtTranslations, MessageBoxButtonsSpeakGerman) {
  const std::unique_ptr<QTranslator> translator(InstallQtTranslations());  // deleting uninstalls it
  ASSERT_NE(translator, nullptr);
  QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ja"));
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Abbrechen"));
}
