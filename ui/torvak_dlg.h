#pragma once
#include <QAbstractButton>
#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>
#include <optional>

#include "image/display.h"
#include "image/thermal_image.h"
#include "overlay/background.h"
#include "scan/qt/scan_service.h"
#include "ui/torvak_layout.h"

class ArrangementBars;
class LargePictureWindow;
class MeasuringPointTools;
class CWeichzeichnerDlg;
class QPainter;
class QStatusBar;
class UpDown;

// The main window: a fixed-size dialog with the tab pages on the left, the
// thermal picture in the middle and the readouts on the right, and a status
// line below. It owns the thermal image and what is composed from it; the
// scan runs in ScanService on a worker thread, so the window never waits.
class CTorvakDlg : public QDialog {
  Q_OBJECT
 public:
  // makeLink creates the scan's port link (the serial port when empty),
  // makeClock its clock (real waits when empty).
  // runDevice: a device to open for this run instead of the stored port.
  explicit CTorvakDlg(ScanService::LinkFactory makeLink = {}, ScanService::ClockFactory makeClock = {},
                      RunDevice runDevice = {}, QWidget* parent = nullptr);
  ~CTorvakDlg() override;

  // The control of that ID, or nullptr.
  QWidget* Control(int id) const { return controls_.value(id); }
  template <class T>
  T* ControlAs(int id) const {
    return qobject_cast<T*>(Control(id));
  }
  const WindowLayout& Layout() const { return layout_; }
  ThermalImage& Image() { return image_; }
  DisplayData& DisplayRecord() { return display_; }
  ScanService& Scan() { return *scan_; }
  // As the scan last reported it.
  bool Scanning() const { return scanning_; }

  // Shows or hides the controls of one page (0..2; other numbers do nothing).
  void ShowPage(int page, bool show);
  // The About box, with a running scan paused around it.
  void ShowAboutBox();
  // "Großbild" (F11): opened full screen, or full screen turned off again.
  LargePictureWindow& ShowLargePicture();
  // Measuring points, their recording, the spot measurement and the plot.
  MeasuringPointTools& MeasuringPoints() { return *measuringPoints_; }
  // A plain German sentence on the status line.
  void ShowStatus(const QString& text);
  QString StatusText() const;
  // Repaints the picture area (without erasing) at the next paint, and says
  // so (pictureChanged).
  void RepaintPicture();
  // What the picture area shows: composes the picture and draws it with the
  // measuring points' markers in the area's 640 x 480 coordinates, its
  // top-left corner at the painter's origin.
  void PaintPictureArea(QPainter& painter);
  // Shows the values of a file that "Messwerte (*.csv)" wrote as if they had
  // been scanned, a running scan stopped first: the grid, the ambient
  // temperature and the file's range framed in the picture, and an export
  // writes the file's time and range. The scan range (its controls) and the
  // head stay; the first reading a scan stores afterwards, or "Löschen",
  // brings back the scan's range and ambient temperature and the time of
  // the moment. A file that is not exactly such a file changes nothing and is
  // named with the reason in a message. "Messwerte öffnen…" (Ctrl+O) and a
  // file dropped on the window come here.
  bool OpenMeasurementsFile(const QString& path);
  // "Hintergrundbild wählen…": shows the picture file scaled to the picture
  // area and, if it could be shown, makes it the "BACKGROUND" setting.
  void ChooseBackground(const QString& path);

  // Asks where "Speichern (Screenshot)" saves; empty for cancelled. The
  // save dialog by default; tests choose the path without one.
  using ExportPathChooser = std::function<QString(QWidget* parent)>;
  void SetExportPathChooser(ExportPathChooser choose) { chooseExportPath_ = std::move(choose); }

 signals:
  // The picture area is to be composed and shown anew.
  void pictureChanged();

 public slots:
  void accept() override {}  // Enter does nothing; Esc and the close box still end the program
  // Esc and the close box: asks first when the recording holds readings not yet saved.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void OnInitDialog(const RunDevice& runDevice);
  void AddAboutEntry();
  void AddFileEntries();
  void LayOutWindow();
  void CreateDisplayData();
  void InitControls();
  void ConnectScan();
  void ConnectCommands();
  void ConnectRangeControls();
  void GroupRadioButtons(int first, int last);
  // Calls handler on every click of the button with that ID.
  template <class Handler>
  void OnClick(int id, Handler handler) {
    connect(ControlAs<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
  }
  void OnTabChanged(int page);
  void ShowPortChoice(int number);
  void ShowAmbient(int celsius);
  void ShowLiveValues();
  void OnScanRangeChanged(const ScanRange& range);
  void ResetRangeControls();
  void SetDisplayModeAndRepaint(int mode);
  UpDown* EdgeControl(RangeEdge edge) const;
  void ConnectPictureTools();
  bool ShowBackgroundPicture();  // true if shown
  void ShowBackgroundPathLabel();
  void EditSmoothing();
  QImage GrabStrip();
  void SaveScreenshot();

  WindowLayout layout_;
  QHash<int, QWidget*> controls_;
  QStatusBar* statusLine_ = nullptr;
  ThermalImage image_;
  DisplayData display_;
  bool scanning_ = false;
  bool dropReadingsUntilStopped_ = false;  // readings of a scan stopped for opened values
  // While values opened from a file are shown: their time, and the scan's
  // range and ambient temperature that they stand in for.
  struct OpenedValues {
    QDateTime takenAt;
    ScanRange liveRange;
    int liveAmbient = 0;
  };
  std::optional<OpenedValues> opened_;
  QString backgroundPath_;
  // How the background shown was loaded; reading it anew keeps that.
  BackgroundFit backgroundFit_ = BackgroundFit::TopLeft;
  ArrangementBars* arrangement_ = nullptr;
  CWeichzeichnerDlg* settingsDialog_ = nullptr;
  MeasuringPointTools* measuringPoints_ = nullptr;
  LargePictureWindow* largePicture_ = nullptr;  // made at its first opening
  ExportPathChooser chooseExportPath_;
  std::unique_ptr<ScanService> scan_;  // last: stopped and joined first
};
