// The About box: its texts, pictures and buttons, all of them fitting.
#include <QApplication>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "caption_fit.h"
#include "ui/about_dlg.h"

TEST(AboutBox, ShowsTitleVersionCreditsIconAndPicture) {
  CAboutDlg about;
  about.show();
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Info über Torvak"));
  EXPECT_EQ(about.findChild<QLabel*>("version")->text(), QStringLiteral("Torvak Version 1.0"));
  for (const char* name : {"credit1", "credit2"}) {
    EXPECT_FALSE(about.findChild<QLabel*>(name)->text().isEmpty()) << name;
  }
  const QPixmap icon = about.findChild<QLabel*>("icon")->pixmap();
  EXPECT_EQ(icon.size(), QSize(32, 32));
  const QPixmap picture = about.findChild<QLabel*>("picture")->pixmap();
  EXPECT_EQ(picture.size(), QSize(100, 21));
  // Drawn, not blank: the picture runs from a cold to a hot colour.
  const QImage image = picture.toImage();
  EXPECT_NE(image.pixel(10, 10), image.pixel(90, 10));

  for (QWidget* child : about.findChildren<QWidget*>()) {
    EXPECT_EQ(CaptionOverflow(child).toStdString(), "") << child->objectName().toStdString();
    EXPECT_TRUE(about.rect().contains(child->geometry())) << child->objectName().toStdString();
  }
}

TEST(AboutBox, OkAndEscapeCloseIt) {
  CAboutDlg about;
  about.show();
  QTest::mouseClick(about.findChild<QPushButton*>("ok"), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);

  about.show();
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Rejected);
}
