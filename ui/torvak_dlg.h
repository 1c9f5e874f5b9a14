#pragma once
#include <QAbstractButton>
#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>

#include "scan/qt/scan_service.h"
#include "ui/picture_model.h"
#include "ui/torvak_layout.h"

class ArrangementBars;
class BackgroundControls;
class ColourSpanTools;
class EmissivityTools;
class IsothermTools;
class ReferenceTools;
class ReportTools;
class LargePictureWindow;
class AreaTools;
class LineTools;
class MeasuringPointTools;
class RangeControls;
class CWeichzeichnerDlg;
class QStatusBar;

// The main window: a fixed-size dialog with the tab pages on the left, the
// thermal picture in the middle and the readouts on the right, and a status
// line below. It wires the controls to the scan (ScanService, on a worker
// thread, so the window never waits) and to the picture model, and shows
// what the model holds.
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
  PictureModel& Model() { return model_; }
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
  // Shows the values of a file that "Messwerte (*.csv)" wrote as if they had
  // been scanned, a running scan stopped first (see PictureModel). The scan
  // range (its controls) and the head stay. A file that is not exactly such
  // a file changes nothing and is named with the reason in a message.
  // "Messwerte öffnen…" (Ctrl+O) and a file dropped on the window come here.
  bool OpenMeasurementsFile(const QString& path);
  // "Hintergrundbild wählen…": shows the picture file scaled to the picture
  // area and, if it could be shown, makes it the "BACKGROUND" setting.
  void ChooseBackground(const QString& path);

  // Asks where "Speichern (Screenshot)" saves; empty for cancelled. The
  // save dialog by default; tests choose the path without one.
  using ExportPathChooser = std::function<QString(QWidget* parent)>;
  void SetExportPathChooser(ExportPathChooser choose) { chooseExportPath_ = std::move(choose); }

 public slots:
  void accept() override {}  // Enter does nothing; Esc and the close box still end the program
  // Esc and the close box: asks first when the recording holds readings not yet saved.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void OnInitDialog(const RunDevice& runDevice);
  void AddContextEntries();
  void LayOutWindow();
  void InitControls();
  void ConnectScan();
  void ConnectCommands();
  void ConnectPictureTools();
  void GroupRadioButtons(int first, int last);
  // Calls handler on every click of the button with that ID.
  template <class Handler>
  void OnClick(int id, Handler handler) {
    connect(ControlAs<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
  }
  void OnModelChanged(PictureModel::Parts parts);
  void OnTabChanged(int page);
  void ShowPortChoice(int number);
  void WithScanPaused(const std::function<void()>& dialog);
  void SaveScreenshot();
  void ShowProblem(const QString& command, const QString& problem);
  // The picture area's point under a point of the window, if it lies there.
  std::optional<QPoint> PicturePoint(QPoint at) const;

  WindowLayout layout_;
  QHash<int, QWidget*> controls_;
  QStatusBar* statusLine_ = nullptr;
  bool scanning_ = false;
  ExportPathChooser chooseExportPath_;
  // Stopped and joined first of all, by the destructor: no reading arrives
  // while the rest goes.
  std::unique_ptr<ScanService> scan_;
  // The model outlives every view of it: the views are declared after it.
  PictureModel model_;
  std::unique_ptr<ArrangementBars> arrangement_;
  std::unique_ptr<BackgroundControls> background_;
  std::unique_ptr<RangeControls> ranges_;
  std::unique_ptr<CWeichzeichnerDlg> settingsDialog_;
  std::unique_ptr<MeasuringPointTools> measuringPoints_;
  std::unique_ptr<AreaTools> areaTools_;
  std::unique_ptr<LineTools> lineTools_;
  std::unique_ptr<ColourSpanTools> spanTools_;
  std::unique_ptr<IsothermTools> isothermTools_;
  std::unique_ptr<EmissivityTools> emissivityTools_;
  std::unique_ptr<ReferenceTools> referenceTools_;
  std::unique_ptr<ReportTools> reportTools_;
  std::unique_ptr<LargePictureWindow> largePicture_;  // made at its first opening
};
