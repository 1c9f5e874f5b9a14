#include "app/torvak_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QMessageBox>
#include <QLocale>
#include <QSocketNotifier>
#include <cstdio>
#include <memory>
#include <optional>

#include "headsim/emulator_process.h"
#include "ui/program_art.h"
#include "ui/interface_language.h"
#include "ui/torvak_dlg.h"

namespace {

// The translation context of the start-up's texts.
struct StartUp {
  Q_DECLARE_TR_FUNCTIONS(StartUp)
};

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
      StartUp::tr("Torvak: eine langsame Wärmebildkamera aus einem Messkopf mit zwei Thermopile-Sensoren."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption port(
      QStringLiteral("port"),
      StartUp::tr("Öffnet für diesen Lauf das Gerät GERÄT statt des gespeicherten Ports (der bleibt gespeichert)."),
      StartUp::tr("GERÄT"));
  parser.addOption(port);
  const QCommandLineOption demo(
      QStringLiteral("demo"),
      StartUp::tr("Vorführung ohne Messkopf: startet für diesen Lauf den emulierten Messkopf (torvak-headsim) und "
                  "misst an ihm."));
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
    why = StartUp::tr("Unerwartetes Argument: %1").arg(parser.positionalArguments().join(u' '));
  } else if (parsed && parser.isSet(port) && parser.isSet(demo)) {
    why = StartUp::tr("--port und --demo schließen einander aus.");
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

// Why the emulated head of a demonstration did not start.
QString EmulatorProblem(const EmulatorProcess& emulator, const QString& program) {
  const QString detail = QString::fromLocal8Bit(emulator.Detail().c_str());
  QString reason;
  switch (emulator.Failure()) {
    case EmulatorProcess::Fault::kMissing:
      reason = StartUp::tr("%1 fehlt (%2)").arg(program, detail);
      break;
    case EmulatorProcess::Fault::kNoLine:
      reason = StartUp::tr("%1 nennt keine Leitung").arg(program);
      break;
    case EmulatorProcess::Fault::kNotStarted:
    case EmulatorProcess::Fault::kNone:
      reason = detail;
      break;
  }
  return StartUp::tr("Der emulierte Messkopf lässt sich nicht starten: %1").arg(reason);
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
  const QString problem = EmulatorProblem(emulator, program);
  std::fprintf(stderr, "%s\n", qPrintable(problem));
  QMessageBox::warning(nullptr, QStringLiteral("Torvak"), problem);
  return {};
}

}  // namespace

int CTorvakApp::InitInstance(int& argc, char** argv) {
  RunOptions options;
  const Language language = ChooseLanguage(QLocale().uiLanguages());
  {
    // The command line first, without a display: --help works over ssh too.
    const QCoreApplication parsing(argc, argv);
    const InterfaceLanguage texts(language, TranslationsFolder());
    options = HandleCommandLine(parsing);
    if (options.exitCode) return *options.exitCode;
  }
  QApplication application(argc, argv);
  const InterfaceLanguage texts(language, TranslationsFolder());
  // The settings root; the port number is stored under it.
  QCoreApplication::setOrganizationName(
      QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
  QCoreApplication::setApplicationName(QStringLiteral("Torvak"));
  QApplication::setFont(DialogFont());
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("torvak"));

  EmulatorProcess emulator;  // ended after the window
  CTorvakDlg window({}, {}, ChooseRunDevice(options, emulator));
  // An emulator that ends early (killed, and the line lost with it) is
  // collected at once rather than lingering as a zombie until the program ends.
  std::optional<QSocketNotifier> emulatorEnded;
  if (emulator.EndNotice() >= 0) {
    emulatorEnded.emplace(emulator.EndNotice(), QSocketNotifier::Read);
    QObject::connect(&*emulatorEnded, &QSocketNotifier::activated, [&] {
      emulatorEnded->setEnabled(false);
      emulator.Reap();
    });
  }
  window.exec();
  return 0;
}
