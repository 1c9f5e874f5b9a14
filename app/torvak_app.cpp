#include "app/torvak_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <optional>

#include "ui/program_art.h"
#include "ui/qt_translations.h"
#include "ui/torvak_dlg.h"

namespace {

// What the command line asks of this run.
struct RunOptions {
  std::optional<int> exitCode;  // set: end at once with it
  QString portDevice;           // --port: opened instead of the stored port
};

// --help and --version answer on standard output and end the program; an
// unknown option or argument prints why and the help on standard error and
// ends it with 2.
RunOptions HandleCommandLine(const QCoreApplication& application) {
  QCoreApplication::setApplicationVersion(QStringLiteral(TORVAK_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Torvak: eine langsame Wärmebildkamera aus einem Messkopf mit zwei Thermopile-Sensoren."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption port(
      QStringLiteral("port"),
      QStringLiteral("Öffnet für diesen Lauf das Gerät GERÄT statt des gespeicherten Ports "
                     "(der bleibt gespeichert)."),
      QStringLiteral("GERÄT"));
  parser.addOption(port);
  // Qt's own window options (-platform xcb, -style fusion, -reverse …) are
  // for the application made afterwards; here they are only let through.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
                           "qwindowgeometry", "qwindowtitle", "qwindowicon", "style", "stylesheet", "session"}) {
    QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qtOption);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption qtOption(QString::fromLatin1(name));
    qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qtOption);
  }
  if (!parser.parse(application.arguments()) || !parser.positionalArguments().isEmpty()) {
    const QString why = parser.errorText().isEmpty()
                            ? QStringLiteral("Unerwartetes Argument: %1").arg(parser.positionalArguments().join(u' '))
                            : parser.errorText();
    std::fprintf(stderr, "%s\n\n%s", qPrintable(why), qPrintable(parser.helpText()));
    return {2, {}};
  }
  if (parser.isSet(help)) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    return {0, {}};
  }
  if (parser.isSet(version)) {
    std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()), TORVAK_VERSION);
    return {0, {}};
  }
  return {std::nullopt, parser.value(port)};
}

}  // namespace

int CTorvakApp::InitInstance(int& argc, char** argv) {
  RunOptions options;
  {
    // The command line first, without a display: --help works over ssh too.
    const QCoreApplication parsing(argc, argv);
    const std::unique_ptr<QTranslator> translator(InstallQtTranslations());  // Qt's help texts in German
    options = HandleCommandLine(parsing);
    if (options.exitCode) return *options.exitCode;
  }
  QApplication application(argc, argv);
  InstallQtTranslations();  // without the translations Qt's own dialogs stay English
  // The settings root; the port number is stored under it.
  QCoreApplication::setOrganizationName(
      QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
  QCoreApplication::setApplicationName(QStringLiteral("Torvak"));
  QApplication::setFont(DialogFont());
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("torvak"));

  CTorvakDlg window({}, {}, options.portDevice);
  window.exec();
  return 0;
}
