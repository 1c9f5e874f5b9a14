// grab_views OUTDIR: saves as PNG files what the user sees after a pass on the
// emulated head with three measuring points set: each page of the main window,
// the last one again with the background loaded, its context menu, the smoothing dialog, the About box, "Großbild" and
// "Temperaturverlauf". Run before and after a change to the windows, the two
// sets must be the same byte for byte (scripts/grab-views.sh, compare-grabs.sh).
//
// Everything shown is made the same on every run: settings, home and the
// temporary folder (the default background) live in one fixed folder, the
// emulator's link has a fixed name (the status line names it), the scan's
// clock is virtual (the plot's times and rate), the text cursor does not
// blink and the mouse never moves over a readout.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "headsim/scene.h"
#include "image/readout.h"
#include "tests/support/scan_fakes.h"
#include "tests/support/wait_for.h"
#include "ui/interface_language.h"
#include "ui/program_art.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

// Home, settings and temporary folder of the run, emptied at its start; empty
// when that fails (another user's run left it).
QString PrepareWorkFolder() {
  QDir work(QDir::tempPath() + QStringLiteral("/torvak-grab-views"));
  if (!work.removeRecursively() || !work.mkpath(QStringLiteral("config"))) return {};
  QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);  // a runtime folder
  for (const char* name : {"HOME", "TMPDIR", "XDG_RUNTIME_DIR"}) qputenv(name, QFile::encodeName(work.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
  return work.path();
}

// The default background ("Bild Laden"): bands of colour and a grey ramp, so
// that the mix with the thermal pictures shows.
void WriteBackground(const QString& path) {
  QImage picture(640, 480, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient ramp(0, 0, 640, 0);
  ramp.setColorAt(0, Qt::black);
  ramp.setColorAt(1, Qt::white);
  painter.fillRect(picture.rect(), ramp);
  const QColor bands[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
  for (int i = 0; i < 4; ++i) painter.fillRect(40 + 150 * i, 300, 100, 120, bands[i]);
  painter.end();
  picture.save(path, "BMP");
}

// The emulator on a link of that name, made "Com 1", the port opened at start-up.
bool StartHead(QProcess& head, const QString& link) {
  head.start(QStringLiteral(TORVAK_HEADSIM), {QStringLiteral("--link"), link});
  QSettings().setValue(QStringLiteral("SETTINGS/COM1"), link);
  QSettings().setValue(QStringLiteral("SETTINGS/COMPORT"), 1);
  return head.waitForStarted() && WaitFor([&] { return QFileInfo::exists(link); }, 30000);
}

class Grabber {
 public:
  Grabber(CTorvakDlg& window, const QString& folder) : window_(window), folder_(folder) {}

  void Save(QWidget& widget, const QString& name) {
    if (!widget.grab().save(QDir(folder_).filePath(name + QStringLiteral(".png")))) {
      std::fprintf(stderr, "grab_views: %s not saved\n", qPrintable(name));
      ++failures_;
    }
  }

  // Runs open with the window active, grabs the window or menu it opens and closes that
  // again; open may wait for it to close (a modal dialog, a menu) or return at once.
  void SaveOpened(const QString& name, const std::function<void()>& open) {
    window_.activateWindow();
    (void)QTest::qWaitForWindowActive(&window_);  // a menu or dialog closed just now may hold it a moment
    const QWidgetList before = VisibleWindows();
    bool grabbed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* opened : VisibleWindows()) {
        if (before.contains(opened) || !QTest::qWaitForWindowExposed(opened)) continue;
        poll.stop();
        Save(*opened, name);
        opened->close();
        grabbed = true;
        return;
      }
    });
    poll.start(10);
    open();
    if (!WaitFor([&] { return grabbed; })) {
      std::fprintf(stderr, "grab_views: %s did not open\n", qPrintable(name));
      ++failures_;
    }
  }

  int Failures() const { return failures_; }

 private:
  static QWidgetList VisibleWindows() {
    QWidgetList visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible()) visible << widget;
    }
    return visible;
  }

  CTorvakDlg& window_;
  QString folder_;
  int failures_ = 0;
};

// The window's point at the centre of a cell of the picture.
QPoint CellPosition(CTorvakDlg& window, GridCell cell) {
  const Area& area = window.Layout().pictureArea;
  const CellPoint centre = window.Model().CellCentre(cell);
  return {area.left + static_cast<int>(centre.x), area.top + static_cast<int>(centre.y)};
}

int GrabViews(const QString& folder, const QString& work) {
  QProcess head;
  if (!StartHead(head, work + QStringLiteral("/head"))) {
    std::fprintf(stderr, "grab_views: the emulated head did not start\n");
    return 1;
  }
  WriteBackground(work + QStringLiteral("/Torvak.bmp"));
  CTorvakDlg window({}, [] { return std::make_unique<scan_fakes::VirtualClock>(); });
  window.show();
  auto* start = window.ControlAs<QAbstractButton>(ctl::kStart);
  if (!QTest::qWaitForWindowExposed(&window) || !WaitFor([&] { return start->isEnabled(); })) return 1;

  // The points first, so that the pass records readings at them.
  for (const headsim::Spot& spot : {headsim::kMug, headsim::kHotSpot, headsim::kColdSpot}) {
    QTest::mouseClick(&window, Qt::LeftButton, Qt::ControlModifier,
                      CellPosition(window, {spot.column, spot.row}));
  }
  QSignalSpy scanning(&window.Scan(), &ScanService::scanningChanged);
  start->click();
  if (!WaitFor([&] { return scanning.size() == 2; }, 120000)) return 1;  // on, and off after one pass

  Grabber grabber(window, folder);
  auto* pages = window.ControlAs<QTabWidget>(ctl::kPanelTabs);
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    grabber.Save(window, QStringLiteral("window-page%1").arg(page + 1));
  }
  // The status line has named the port so far; now it names the background, which shows from here on.
  window.ControlAs<QAbstractButton>(ctl::kLoadPicture)->click();
  grabber.Save(window, QStringLiteral("window-background"));
  grabber.SaveOpened(QStringLiteral("context-menu"), [&] {
    const QPoint at = CellPosition(window, {headsim::kMug.column, headsim::kMug.row});
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, window.mapToGlobal(at));
    QApplication::sendEvent(&window, &menu);
  });
  grabber.SaveOpened(QStringLiteral("smoothing-dialog"),
                     [&] { window.ControlAs<QAbstractButton>(ctl::kEditSmoothing)->click(); });
  grabber.SaveOpened(QStringLiteral("about-box"), [&] { QTest::keyClick(&window, Qt::Key_F1); });
  grabber.SaveOpened(QStringLiteral("large-picture"), [&] { QTest::keyClick(&window, Qt::Key_F11); });
  grabber.SaveOpened(QStringLiteral("plot"), [&] { QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier); });
  // The tools for small differences, after every view above so that those stay as they were.
  window.Model().SetSpanMode(PictureModel::SpanMode::Automatic);
  grabber.Save(window, QStringLiteral("span-automatic"));
  grabber.SaveOpened(QStringLiteral("isotherm-dialog"), [&] {
    for (QAction* action : window.actions())
      if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_I)) action->trigger();
  });
  const int mug = window.Model().Image().Grid()[headsim::kMug.column][headsim::kMug.row];
  window.Model().SetIsotherm(Isotherm{IsothermKind::Band, mug - 30, mug - 10});
  grabber.Save(window, QStringLiteral("isotherm"));
  window.Model().SetIsotherm(std::nullopt);
  window.Model().RememberReference();
  for (int row = 10; row < 20; ++row) {  // a warmer and a cooler stripe
    window.Model().StoreReading(CellReading{20, row, window.Model().Image().Grid()[20][row] + 3});
    window.Model().StoreReading(CellReading{45, row, window.Model().Image().Grid()[45][row] - 2});
  }
  window.Model().ShowDifference();
  grabber.Save(window, QStringLiteral("difference"));
  grabber.SaveOpened(QStringLiteral("difference-large-picture"), [&] { QTest::keyClick(&window, Qt::Key_F11); });
  window.Model().HideDifference();
  grabber.SaveOpened(QStringLiteral("emissivity-dialog"), [&] {
    for (QAction* action : window.actions())
      if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_E)) action->trigger();
  });
  PictureModel::EmissivityChoice shiny;
  shiny.picture = 0.6;
  window.Model().SetEmissivity(shiny);
  grabber.Save(window, QStringLiteral("emissivity"));
  head.kill();
  head.waitForFinished();
  return grabber.Failures() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: grab_views OUTDIR\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString work = PrepareWorkFolder();
  if (work.isEmpty()) {
    std::fprintf(stderr, "grab_views: cannot empty %s/torvak-grab-views\n", qPrintable(QDir::tempPath()));
    return 1;
  }
  QApplication application(argc, argv);
  // Set up as the program sets itself up, its language chosen as the program chooses it.
  const InterfaceLanguage texts(ChooseLanguage(QLocale().uiLanguages()), QStringLiteral(TORVAK_TRANSLATIONS_DIR));
  QCoreApplication::setOrganizationName(QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
  QCoreApplication::setApplicationName(QStringLiteral("Torvak"));
  QApplication::setFont(DialogFont());
  QApplication::setWindowIcon(ProgramIcon());
  QApplication::setCursorFlashTime(0);
  const QString folder = QFile::decodeName(argv[1]);
  QDir().mkpath(folder);
  return GrabViews(folder, work);
}
