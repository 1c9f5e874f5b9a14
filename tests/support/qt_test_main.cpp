// Shared main of the Qt test programs: an offscreen application with a
// private runtime folder and a settings store that never touches the user's.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;  // removed when the tests end
  qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("HOME", home.path().toUtf8());
  QStandardPaths::setTestModeEnabled(true);  // must precede the first QSettings
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // The program's own settings root, as its start-up sets it.
  QCoreApplication::setOrganizationName(QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
  QCoreApplication::setApplicationName(QStringLiteral("Torvak"));
  return RUN_ALL_TESTS();
}
