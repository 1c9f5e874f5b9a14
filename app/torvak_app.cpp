#include "app/torvak_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <optional>

#include "headsim/emulator_process.h"
#include "ui/program_art.h"
#include "ui/qt_translations.h"
#include "ui/torvak_dlg.h"

namespace {

// What the command line asks of this run.
struct RunOptions {
  std::optional<int> exitCode;  // set: end at once with it
  QString portDevice;           // --port: opened instead of the stored port
  bool demo = false;            // --demo: an emulated head instead of the stored port
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
  const QCommandLineOption demo(
      QStringLiteral("demo"),
      QStringLiteral("Vorführung ohne Messkopf: startet für diesen Lauf den emulierten Messkopf "
                     "(torvak-headsim) und misst an ihm."));
  parser.addOption(demo);
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
  const bool parsed = parser.parse(application.arguments());
  QString why = parser.errorText();
  if (parsed && !parser.positionalArguments().isEmpty()) {
    why = QStringLiteral("Unerwartetes Argument: %1").arg(parser.positionalArguments().join(u' '));
  } else if (parsed && parser.isSet(port) && parser.isSet(demo)) {
    why = QStringLiteral("--port und --demo schließen einander aus.");
  }
  if (!why.isEmpty()) {
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
  return {std::nullopt, parser.value(port), parser.isSet(demo)};
}

// The device of this run: the emulated head started for a demonstration
// (or, if it cannot start, the stored port after saying why), the device
// given with --port, or none (the stored port).
RunDevice ChooseRunDevice(const RunOptions& options, EmulatorProcess& emulator) {
  if (!options.demo) return {options.portDevice};
  const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/torvak-headsim");
  if (emulator.Start(QFile::encodeName(program).toStdString())) {
    return {QFile::decodeName(emulator.Device().c_str()), kEmulatedHeadNumber};
  }
  const QString problem = QString::fromStdString(emulator.Problem());
  std::fprintf(stderr, "%s\n", qPrintable(problem));
  QMessageBox::warning(nullptr, QStringLiteral("Torvak"), problem);
  return {};
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

  EmulatorProcess emulator;  // ended after the window
  CTorvakDlg window({}, {}, ChooseRunDevice(options, emulator));
  window.exec();
  return 0;
}
