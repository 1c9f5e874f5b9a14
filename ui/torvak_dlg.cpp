#include "ui/torvak_dlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>

#include "overlay/export.h"
#include "overlay/surface_image.h"
#include "scan/qt/port_settings.h"
#include "ui/about_dlg.h"
#include "ui/arrangement_bars.h"
#include "ui/area_tools.h"
#include "ui/background_controls.h"
#include "ui/colour_span_tools.h"
#include "ui/emissivity_tools.h"
#include "ui/isotherm_tools.h"
#include "ui/dialog_parts.h"
#include "ui/file_dialogs.h"
#include "ui/large_picture_window.h"
#include "ui/line_tools.h"
#include "ui/measuring_point_tools.h"
#include "ui/picture_painter.h"
#include "ui/program_art.h"
#include "ui/range_controls.h"
#include "ui/reference_tools.h"
#include "ui/report_tools.h"
#include "ui/screenshot.h"
#include "ui/status_line.h"
#include "ui/torvak_controls.h"
#include "ui/weichzeichner_dlg.h"

CTorvakDlg::CTorvakDlg(ScanService::LinkFactory makeLink, ScanService::ClockFactory makeClock,
                       RunDevice runDevice, QWidget* parent)
    : QDialog(parent),
      chooseExportPath_(AskExportPath),
      scan_(std::make_unique<ScanService>(std::move(makeLink), std::move(makeClock))),
      model_([scan = scan_.get()] { return scan->ClockSeconds(); }) {
  setWindowTitle(QStringLiteral("Torvak - Velmora"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setMouseTracking(true);
  OnInitDialog(runDevice);
}

CTorvakDlg::~CTorvakDlg() { scan_.reset(); }

// Start-up: controls, layout, the context menu's entries, icon, the scan's
// start-up, initial states, in this order. The scan's share (defaults, the
// stored port, both servo ranges, "Reset", the options, the ambient reading)
// runs on the scan's worker; its results arrive as signals.
void CTorvakDlg::OnInitDialog(const RunDevice& runDevice) {
  controls_ = CreateControls(this);
  LayOutWindow();
  AddContextEntries();
  setWindowIcon(ProgramIcon());
  ConnectScan();
  ConnectCommands();
  ConnectPictureTools();
  scan_->StartUp(runDevice);
  InitControls();
  // A demonstration shows its picture at once: a pass, on the camera page.
  if (runDevice.number == kEmulatedHeadNumber) {
    ControlAs<QTabWidget>(ctl::kPanelTabs)->setCurrentIndex(kPageKamera);
    scan_->Start();
  }
}

// The window's context menu (right click), in this order: "Messwerte öffnen…"
// (also a file dropped on the window), "Hintergrundbild wählen…", "Großbild",
// the measuring points' entries, "Farbbereich", the isotherm's entries,
// "Referenz und Differenz", "Emissionsgrad…", About (F1), and after a separator
// "Bericht…" and "Drucken…".
void CTorvakDlg::AddContextEntries() {
  connect(AddContextEntry(*this, tr("Messwerte öffnen…"), QKeySequence::Open), &QAction::triggered, this, [this] {
    if (const QString path = AskMeasurementsPath(this); !path.isEmpty()) OpenMeasurementsFile(path);
  });
  setAcceptDrops(true);
  connect(AddContextEntry(*this, tr("Hintergrundbild wählen…")), &QAction::triggered, this, [this] {
    if (const QString path = AskBackgroundPath(this, model_.BackgroundFile()); !path.isEmpty()) ChooseBackground(path);
  });
  connect(AddContextEntry(*this, tr("Großbild"), Qt::Key_F11), &QAction::triggered, this, [this] { ShowLargePicture(); });
  measuringPoints_ = std::make_unique<MeasuringPointTools>(*this, model_, *scan_,
                                                           [this](QPoint at) { return PicturePoint(at); });
  connect(measuringPoints_.get(), &MeasuringPointTools::statusMessage, this, &CTorvakDlg::ShowStatus);
  areaTools_ = std::make_unique<AreaTools>(*this, model_, [this](QPoint at) { return PicturePoint(at); });
  connect(areaTools_.get(), &AreaTools::statusMessage, this, &CTorvakDlg::ShowStatus);
  lineTools_ = std::make_unique<LineTools>(*this, model_, [this](QPoint at) { return PicturePoint(at); });
  connect(lineTools_.get(), &LineTools::statusMessage, this, &CTorvakDlg::ShowStatus);
  spanTools_ = std::make_unique<ColourSpanTools>(*this, model_, *statusLine_);
  isothermTools_ = std::make_unique<IsothermTools>(*this, model_, *statusLine_);
  referenceTools_ = std::make_unique<ReferenceTools>(*this, model_, *statusLine_);
  connect(referenceTools_.get(), &ReferenceTools::statusMessage, this, &CTorvakDlg::ShowStatus);
  emissivityTools_ = std::make_unique<EmissivityTools>(*this, model_, *statusLine_);
  auto* about = new QAction(QCoreApplication::translate("CAboutDlg", kAboutEntry), this);
  about->setShortcut(QKeySequence(Qt::Key_F1));
  connect(about, &QAction::triggered, this, &CTorvakDlg::ShowAboutBox);
  addAction(about);
  reportTools_ = std::make_unique<ReportTools>(*this, model_);
  connect(reportTools_.get(), &ReportTools::statusMessage, this, &CTorvakDlg::ShowStatus);
}

LargePictureWindow& CTorvakDlg::ShowLargePicture() {
  if (!largePicture_) largePicture_ = std::make_unique<LargePictureWindow>(model_, this);
  largePicture_->isVisible() ? largePicture_->ToggleFullScreen() : largePicture_->showFullScreen();
  return *largePicture_;
}

void CTorvakDlg::LayOutWindow() {
  layout_ = ComputeWindowLayout();
  auto* panelTabs = ControlAs<QTabWidget>(ctl::kPanelTabs);
  for (const QString& page : {tr("Kamera"), tr("Wärmebild"), tr("Einstellungen")}) {
    panelTabs->addTab(new QWidget, page);
  }
  ControlAs<QTabWidget>(ctl::kReadoutTabs)->addTab(new QWidget, tr("Temperatur"));
  // Each placed control goes on top of the ones placed before it, so the
  // page controls lie above the tab control.
  for (const Placement& placement : layout_.placements) {
    QWidget* control = Control(placement.id);
    control->setGeometry(placement.rect);
    control->raise();
  }
  ControlAs<QLineEdit>(ctl::kMouseField)->setReadOnly(true);
  Control(ctl::kReadoutTabs)->hide();  // its frame only placed the readouts
  model_.SetLegendSize(layout_.scaleArea.Width(), layout_.scaleArea.Height());

  statusLine_ = new QStatusBar(this);
  statusLine_->setObjectName(QStringLiteral("statusLine"));
  statusLine_->setSizeGripEnabled(false);
  statusLine_->setGeometry(layout_.statusLine);
  setFixedSize(layout_.clientSize);
  move(0, 0);
}

void CTorvakDlg::InitControls() {
  ControlAs<QAbstractButton>(ctl::kSmoothed)->setChecked(false);
  ControlAs<QAbstractButton>(ctl::kMeasuredPixels)->setChecked(true);
  Control(ctl::kStart)->setEnabled(false);  // the scan's "Reset" enables it again

  ControlAs<QSlider>(ctl::kTransparency)->setValue(model_.Display().transparency);
  for (int id : {ctl::kLeftPicture, ctl::kRightPicture, ctl::kBackgroundVisible, ctl::kStopAfterPass,
                 ctl::kBothDirections}) {
    ControlAs<QAbstractButton>(id)->setChecked(true);
  }
  arrangement_->SetUp();
  {
    const QSignalBlocker blocker(Control(ctl::kPanelTabs));
    ControlAs<QTabWidget>(ctl::kPanelTabs)->setCurrentIndex(kPageEinstellungen);
  }
  ShowPage(kPageKamera, false);
  ShowPage(kPageWaermebild, false);
  ShowPage(kPageEinstellungen, true);
  OnModelChanged(PictureModel::kScale);
  ranges_->Reset();
  background_->ShowPathLabel();
  Control(ctl::kPanelTabs)->setFocus();  // the tab control comes first in the tab order, not the Max field
}

void CTorvakDlg::ConnectScan() {
  ScanService* scan = scan_.get();
  connect(scan, &ScanService::readingStored, &model_, &PictureModel::StoreReading);
  connect(scan, &ScanService::ambientChanged, &model_, &PictureModel::SetAmbient);
  connect(scan, &ScanService::startEnabledChanged, Control(ctl::kStart), &QWidget::setEnabled);
  connect(scan, &ScanService::portChosen, this, &CTorvakDlg::ShowPortChoice);
  connect(scan, &ScanService::scanningChanged, this, [this](bool scanning) {
    scanning_ = scanning;
    model_.SetScanning(scanning);
  });
  new StatusLine(*scan, statusLine_);
  connect(&model_, &PictureModel::changed, this, &CTorvakDlg::OnModelChanged);
}

// The picture area is painted anew on every change of what it shows, the
// scale with its limits, and the ambient field shows the ambient
// temperature, if there is one.
void CTorvakDlg::OnModelChanged(PictureModel::Parts parts) {
  if (parts & (PictureModel::kPicture | PictureModel::kPoints | PictureModel::kAreas | PictureModel::kLine)) {
    update(ToRect(layout_.pictureArea));
  }
  if (parts & PictureModel::kScale) {
    update(ToRect(layout_.scaleArea));
    ControlAs<QLineEdit>(ctl::kMaxField)->setText(model_.MaxText());
    ControlAs<QLineEdit>(ctl::kMinField)->setText(model_.MinText());
  }
  if (parts & PictureModel::kReadouts) ControlAs<QLineEdit>(ctl::kAmbientField)->setText(model_.AmbientText());
}

void CTorvakDlg::GroupRadioButtons(int first, int last) {
  auto* group = new QButtonGroup(this);
  for (int id = first; id <= last; ++id) group->addButton(ControlAs<QAbstractButton>(id), id);
}

void CTorvakDlg::ConnectCommands() {
  GroupRadioButtons(ctl::kOneRow, ctl::kFourRow);
  GroupRadioButtons(ctl::kFirstPort, ctl::kLastPort);
  GroupRadioButtons(ctl::kMeasuredPixels, ctl::kSmoothed);
  connect(ControlAs<QTabWidget>(ctl::kPanelTabs), &QTabWidget::currentChanged, this,
          &CTorvakDlg::OnTabChanged);

  ScanService* scan = scan_.get();
  OnClick(ctl::kStart, [scan] { scan->Start(); });
  OnClick(ctl::kStop, [scan] { scan->Stop(); });
  OnClick(ctl::kReset, [scan] { scan->Reset(); });
  OnClick(ctl::kMiddlePosition, [scan] { scan->MiddlePosition(); });
  OnClick(ctl::kClearImage, [this] { model_.Clear(); });
  const auto sendOptions = [this, scan] {
    scan->SetOptions(ControlAs<QAbstractButton>(ctl::kStopAfterPass)->isChecked(),
                     ControlAs<QAbstractButton>(ctl::kBothDirections)->isChecked());
  };
  OnClick(ctl::kStopAfterPass, sendOptions);
  OnClick(ctl::kBothDirections, sendOptions);
  OnClick(ctl::kOneRow, [scan] { scan->SetOneRowMode(); });
  OnClick(ctl::kFourRow, [scan] { scan->SetFourRowMode(); });
  for (int number = kFirstComPort; number <= kLastComPort; ++number) {
    Control(ctl::PortButton(number))->setToolTip(PortDevice(number));
    OnClick(ctl::PortButton(number), [scan, number] { scan->SelectPort(number); });
  }
  OnClick(ctl::kMeasuredPixels, [this] { model_.SetDisplayMode(DisplayMode::MeasuredPixels); });
  OnClick(ctl::kSmoothed, [this] { model_.SetDisplayMode(DisplayMode::Smoothed); });
}

void CTorvakDlg::ConnectPictureTools() {
  arrangement_ = std::make_unique<ArrangementBars>(controls_, model_);
  connect(ControlAs<QSlider>(ctl::kTransparency), &QSlider::valueChanged, &model_, &PictureModel::SetTransparency);
  background_ = std::make_unique<BackgroundControls>(controls_, model_);
  connect(background_.get(), &BackgroundControls::statusMessage, this, &CTorvakDlg::ShowStatus);
  ranges_ = std::make_unique<RangeControls>(controls_, *scan_, model_);
  OnClick(ctl::kEditSmoothing, [this] { WithScanPaused([this] { EditSmoothingSettings(*settingsDialog_, model_); }); });
  OnClick(ctl::kSaveScreenshot, [this] { SaveScreenshot(); });
  settingsDialog_ = std::make_unique<CWeichzeichnerDlg>(this);
}

// A modal dialog: a running scan waits while it is open. The scan service
// pauses only a running scan and resumes only what it paused.
void CTorvakDlg::WithScanPaused(const std::function<void()>& dialog) {
  scan_->Pause();
  dialog();
  scan_->Resume();
}

// The picture and the measured values are taken before the dialog opens:
// the scan goes on while it is open.
void CTorvakDlg::SaveScreenshot() {
  const QImage screenshot = TakeScreenshot(*this, model_, ToRect(layout_.pictureArea));
  const Measurements measurements = model_.Snapshot();
  const QString path = chooseExportPath_(this);
  if (path.isEmpty()) return;
  if (const std::optional<QString> problem = SaveExport(path, screenshot, measurements)) {
    return ShowProblem(tr("Speichern (Screenshot)"), *problem);
  }
  ShowStatus(tr("Die Datei %1 wurde gespeichert.").arg(path));
}

// A failed command: on the status line and in a box titled after the command.
void CTorvakDlg::ShowProblem(const QString& command, const QString& problem) {
  ShowStatus(problem);
  QMessageBox::warning(this, command, problem);
}

bool CTorvakDlg::OpenMeasurementsFile(const QString& path) {
  if (const std::optional<QString> problem = model_.OpenMeasurements(path)) {
    ShowProblem(tr("Messwerte öffnen"), *problem);
    return false;
  }
  if (scanning_) scan_->Stop();
  ShowStatus(tr("Messwerte aus %1 geöffnet").arg(path));
  return true;
}

// One local file dropped on the window is opened as measured values.
void CTorvakDlg::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void CTorvakDlg::dropEvent(QDropEvent* event) {
  OpenMeasurementsFile(event->mimeData()->urls().front().toLocalFile());
  event->acceptProposedAction();
}

void CTorvakDlg::ChooseBackground(const QString& path) { background_->Choose(path); }

// The "Com" button of the port the scan opened; none for a number that is no Com port.
void CTorvakDlg::ShowPortChoice(int number) {
  if (IsComPort(number)) ControlAs<QAbstractButton>(ctl::PortButton(number))->setChecked(true);
}

void CTorvakDlg::ShowPage(int page, bool show) {
  for (int id : PageControls(page)) Control(id)->setVisible(show);
}

void CTorvakDlg::OnTabChanged(int page) {
  if (page >= 0 && page < kPageCount) for (int p = 0; p < kPageCount; ++p) ShowPage(p, p == page);
  update();
}

void CTorvakDlg::ShowAboutBox() {
  WithScanPaused([this] { CAboutDlg(this).exec(); });
}

void CTorvakDlg::ShowStatus(const QString& text) { statusLine_->showMessage(text); }

QString CTorvakDlg::StatusText() const { return statusLine_->currentMessage(); }

void CTorvakDlg::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect picture = ToRect(layout_.pictureArea);
  if (event->region().intersects(picture)) PaintPicture(painter, model_, picture);
  const QRect scale = ToRect(layout_.scaleArea);
  if (event->region().intersects(scale)) {
    painter.drawImage(scale.topLeft(), SurfaceImage(model_.Legend()), QRect(QPoint(0, 0), scale.size()));
  }
}

std::optional<QPoint> CTorvakDlg::PicturePoint(QPoint at) const {
  const QRect picture = ToRect(layout_.pictureArea);
  if (!picture.contains(at)) return std::nullopt;
  return at - picture.topLeft();
}

// Moves over the window's own surface: the picture and scale areas lie free
// of controls, and a move over a control stays with the control.
void CTorvakDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QRect scale = ToRect(layout_.scaleArea);
  const QString text = scale.contains(at) ? model_.ScaleReadout(at - scale.topLeft())
                                          : model_.PictureReadout(at - ToRect(layout_.pictureArea).topLeft());
  ControlAs<QLineEdit>(ctl::kMouseField)->setText(text);
  areaTools_->Drag(at);
  lineTools_->Drag(at);
  QDialog::mouseMoveEvent(event);
}

// Ctrl+click sets a measuring point at the cell under the pointer,
// Shift+drag frames a measuring area, Alt+drag draws the line of the profile.
void CTorvakDlg::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier &&
      measuringPoints_->SetPointAt(at))
    return event->accept();
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ShiftModifier && areaTools_->BeginDrag(at))
    return event->accept();
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::AltModifier && lineTools_->BeginDrag(at))
    return event->accept();
  QDialog::mousePressEvent(event);
}

void CTorvakDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && areaTools_->Dragging()) return areaTools_->EndDrag(), event->accept();
  if (event->button() == Qt::LeftButton && lineTools_->Dragging()) return lineTools_->EndDrag(), event->accept();
  QDialog::mouseReleaseEvent(event);
}

void CTorvakDlg::contextMenuEvent(QContextMenuEvent* event) {
  measuringPoints_->PrepareMenu(event->pos());
  areaTools_->PrepareMenu(event->pos());
  lineTools_->PrepareMenu(event->pos());
  QMenu::exec(actions(), event->globalPos(), nullptr, this);
}

void CTorvakDlg::reject() {
  if (measuringPoints_->ConfirmDiscard() && lineTools_->ConfirmDiscard()) QDialog::reject();
}

void CTorvakDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return event->accept();  // does nothing
  QDialog::keyPressEvent(event);
}
