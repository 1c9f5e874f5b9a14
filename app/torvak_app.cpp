#include "app/torvak_app.h"

#include <QApplication>
#include "ui/program_art.h"
#include "ui/qt_translations.h"
#include "ui/torvak_dlg.h"

int CTorvakApp::InitInstance(int& argc, char** argv) {
  QApplication application(argc, argv);
  InstallQtTranslations();  // without the translations Qt's own dialogs stay English
  // The settings root; the port number is stored under it.
  QCoreApplication::setOrganizationName(
      QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
  QCoreApplication::setApplicationName(QStringLiteral("Torvak"));
  QApplication::setFont(DialogFont());
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("torvak"));

  CTorvakDlg window;
  window.exec();
  return 0;
}
