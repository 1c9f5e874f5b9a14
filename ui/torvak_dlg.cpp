#include "ui/torvak_dlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "image/composer.h"
#include "image/readout.h"
#include "overlay/background.h"
#include "overlay/export.h"
#include "overlay/measurements.h"
#include "overlay/surface_image.h"
#include "scan/qt/port_settings.h"
#include "ui/about_dlg.h"
#include "ui/arrangement_bars.h"
#include "ui/dialog_parts.h"
#include "ui/large_picture_window.h"
#include "ui/measuring_point_tools.h"
#include "ui/program_art.h"
#include "ui/file_dialogs.h"
#include "ui/torvak_controls.h"
#include "ui/up_down.h"
#include "ui/weichzeichner_dlg.h"

namespace {

QString DegreesField(int celsius) { return QString::fromStdString(DegreesText(celsius)); }

// While it lives, the window's text fields in an area show neither a
// selection nor the marks of the focus (its frame, the text cursor), so that
// a grab of the area shows their text only. Afterwards all is as it was.
class PlainTextFields {
 public:
  PlainTextFields(QWidget& window, const QRect& area) {
    for (QLineEdit* edit : window.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
      if (!edit->isVisible() || !edit->geometry().intersects(area)) continue;
      selections_.push_back({edit, edit->selectionStart(), edit->selectionLength(), edit->cursorPosition()});
      if (edit->hasFocus()) {
        focused_ = edit;
        edit->clearFocus();
      }
      edit->deselect();
    }
  }
  ~PlainTextFields() {
    if (focused_ != nullptr) focused_->setFocus(Qt::OtherFocusReason);
    for (const Selection& s : selections_) {
      if (s.length == 0) continue;
      const bool cursorAtStart = s.cursor == s.start;  // selected from right to left
      s.edit->setSelection(cursorAtStart ? s.start + s.length : s.start, cursorAtStart ? -s.length : s.length);
    }
  }
  PlainTextFields(const PlainTextFields&) = delete;
  PlainTextFields& operator=(const PlainTextFields&) = delete;

 private:
  struct Selection {
    QLineEdit* edit;
    int start;
    int length;
    int cursor;
  };
  std::vector<Selection> selections_;
  QLineEdit* focused_ = nullptr;
};

}  // namespace

CTorvakDlg::CTorvakDlg(ScanService::LinkFactory makeLink, ScanService::ClockFactory makeClock,
                       RunDevice runDevice, QWidget* parent)
    : QDialog(parent),
      chooseExportPath_(AskExportPath),
      scan_(std::make_unique<ScanService>(std::move(makeLink), std::move(makeClock))) {
  setWindowTitle(QStringLiteral("Torvak - Velmora"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setMouseTracking(true);
  OnInitDialog(runDevice);
}

CTorvakDlg::~CTorvakDlg() = default;

// Start-up: controls, the context menu's entries (files, measuring points,
// About), icon, layout, display data, the scan's start-up, initial states,
// in this order. The scan's share (defaults, the
// stored port, both servo ranges, "Reset", the options, the ambient reading)
// runs on the scan's worker; its results arrive as signals.
void CTorvakDlg::OnInitDialog(const RunDevice& runDevice) {
  controls_ = CreateControls(this);
  AddFileEntries();
  measuringPoints_ = new MeasuringPointTools(*this);
  AddAboutEntry();
  setWindowIcon(ProgramIcon());
  LayOutWindow();
  ConnectScan();
  ConnectCommands();
  ConnectRangeControls();
  ConnectPictureTools();
  CreateDisplayData();
  scan_->StartUp(runDevice);
  InitControls();
  // A demonstration shows its picture at once: a pass, on the camera page.
  if (runDevice.number == kEmulatedHeadNumber) {
    ControlAs<QTabWidget>(ctl::kPanelTabs)->setCurrentIndex(kPageKamera);
    scan_->Start();
  }
}

// No system menu to extend here: the entry is the window's context menu
// (right click) and F1.
void CTorvakDlg::AddAboutEntry() {
  auto* about = new QAction(QCoreApplication::translate("CAboutDlg", kAboutEntry), this);
  about->setShortcut(QKeySequence(Qt::Key_F1));
  connect(about, &QAction::triggered, this, &CTorvakDlg::ShowAboutBox);
  addAction(about);
}

// "Messwerte öffnen…" (also a file dropped on the window),
// "Hintergrundbild wählen…" and "Großbild".
void CTorvakDlg::AddFileEntries() {
  auto* open = new QAction(tr("Messwerte öffnen…"), this);
  open->setShortcut(QKeySequence::Open);
  open->setShortcutVisibleInContextMenu(true);
  connect(open, &QAction::triggered, this, [this] {
    if (const QString path = AskMeasurementsPath(this); !path.isEmpty()) OpenMeasurementsFile(path);
  });
  addAction(open);
  setAcceptDrops(true);
  auto* background = new QAction(tr("Hintergrundbild wählen…"), this);
  connect(background, &QAction::triggered, this, [this] {
    if (const QString path = AskBackgroundPath(this, backgroundPath_); !path.isEmpty()) ChooseBackground(path);
  });
  addAction(background);
  auto* large = new QAction(tr("Großbild"), this);
  large->setShortcut(QKeySequence(Qt::Key_F11));
  large->setShortcutVisibleInContextMenu(true);
  connect(large, &QAction::triggered, this, [this] { ShowLargePicture(); });
  addAction(large);
}

LargePictureWindow& CTorvakDlg::ShowLargePicture() {
  if (largePicture_ == nullptr) largePicture_ = new LargePictureWindow(*this);
  if (largePicture_->isVisible()) {
    largePicture_->ToggleFullScreen();
  } else {
    largePicture_->showFullScreen();
  }
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
  image_.legendWidth = layout_.scaleArea.Width();
  image_.legendHeight = layout_.scaleArea.Height();

  statusLine_ = new QStatusBar(this);
  statusLine_->setObjectName(QStringLiteral("statusLine"));
  statusLine_->setSizeGripEnabled(false);
  statusLine_->setGeometry(layout_.statusLine);
  setFixedSize(layout_.clientSize);
  move(0, 0);
}

// The layer map and the colour-scale bar for the display record as it starts out.
void CTorvakDlg::CreateDisplayData() {
  BuildLayerMap(display_, image_);
  DrawScaleLegend(display_.legendSurface, image_);
}

void CTorvakDlg::InitControls() {
  ControlAs<QAbstractButton>(ctl::kSmoothed)->setChecked(false);
  ControlAs<QAbstractButton>(ctl::kMeasuredPixels)->setChecked(true);
  Control(ctl::kStart)->setEnabled(false);  // the scan's "Reset" enables it again

  auto* stepWidth = ControlAs<UpDown>(ctl::kStepWidthUpDown);
  stepWidth->SetRange(1, 24);
  stepWidth->SetPosition(1);
  ControlAs<QSlider>(ctl::kTransparency)->setValue(display_.transparency);
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
  ControlAs<QLineEdit>(ctl::kMaxField)->setText(DegreesField(image_.scaleMax));
  ControlAs<QLineEdit>(ctl::kMinField)->setText(DegreesField(image_.scaleMin));
  ResetRangeControls();
  backgroundPath_ = BackgroundPath();
  ShowBackgroundPathLabel();
  Control(ctl::kPanelTabs)->setFocus();  // the tab control comes first in the tab order, not the Max field
}

void CTorvakDlg::ConnectScan() {
  ScanService* scan = scan_.get();
  connect(scan, &ScanService::readingStored, this, [this](const CellReading& reading) {
    if (dropReadingsUntilStopped_) return;
    ShowLiveValues();
    image_.StoreReading(reading.column, reading.row, reading.value);
  });
  connect(scan, &ScanService::scanRangeChanged, this, &CTorvakDlg::OnScanRangeChanged);
  connect(scan, &ScanService::ambientChanged, this, [this](int celsius) {
    if (opened_) {
      opened_->liveAmbient = celsius;
    } else {
      ShowAmbient(celsius);
    }
  });
  connect(scan, &ScanService::startEnabledChanged, Control(ctl::kStart), &QWidget::setEnabled);
  connect(scan, &ScanService::portChosen, this, &CTorvakDlg::ShowPortChoice);
  connect(scan, &ScanService::scanningChanged, this, [this](bool scanning) {
    scanning_ = scanning;
    if (!scanning) dropReadingsUntilStopped_ = false;
  });
  connect(scan, &ScanService::repaintRequested, this, &CTorvakDlg::RepaintPicture);
  connect(scan, &ScanService::edgeAnswered, this,
          [this](RangeEdge edge, int value, bool accepted) { EdgeControl(edge)->Answer(value, accepted); });
  connect(scan, &ScanService::statusMessage, this, &CTorvakDlg::ShowStatus);
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
  OnClick(ctl::kClearImage, [this] {
    image_.ClearImage();
    ShowLiveValues();
    RepaintPicture();
  });
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
  OnClick(ctl::kMeasuredPixels, [this] { SetDisplayModeAndRepaint(kMeasuredPixels); });
  OnClick(ctl::kSmoothed, [this] { SetDisplayModeAndRepaint(kSmoothed); });

  // The hidden step width: its up-down writes its position into its edit.
  auto* stepWidth = ControlAs<UpDown>(ctl::kStepWidthUpDown);
  connect(stepWidth, &UpDown::changeProposed, stepWidth,
          [stepWidth](int value) { stepWidth->Answer(value, true); });
  connect(stepWidth, &UpDown::positionChanged, this, [this](int position) {
    ControlAs<QLineEdit>(ctl::kStepWidthEdit)->setText(QString::number(position));
  });
}

// An edge moves only when the scan accepts it, at the moment it applies it.
void CTorvakDlg::ConnectRangeControls() {
  for (RangeEdge edge : kRangeEdges) {
    connect(EdgeControl(edge), &UpDown::changeProposed, this,
            [this, edge](int value) { scan_->ChangeEdge(edge, value); });
  }
  connect(ControlAs<QAbstractButton>(ctl::kRangeReset), &QAbstractButton::clicked, this, [this] {
    for (RangeEdge edge : kRangeEdges) {
      EdgeControl(edge)->DropWaitingSteps();
    }
    scan_->ResetRange();
    ResetRangeControls();
  });
}

void CTorvakDlg::ConnectPictureTools() {
  arrangement_ = new ArrangementBars(controls_, display_, image_, this);
  connect(arrangement_, &ArrangementBars::repaintRequested, this, &CTorvakDlg::RepaintPicture);
  connect(ControlAs<QSlider>(ctl::kTransparency), &QSlider::valueChanged, this, [this](int percent) {
    display_.transparency = percent;
    RepaintPicture();
  });

  OnClick(ctl::kLoadPicture, [this] {
    backgroundFit_ = BackgroundFit::TopLeft;  // the webcam still, at its size
    ShowBackgroundPicture();
    ControlAs<QAbstractButton>(ctl::kBackgroundVisible)->setChecked(true);
    RepaintPicture();
  });
  OnClick(ctl::kBackgroundVisible, [this](bool checked) {
    if (checked) {
      ShowBackgroundPicture();  // read anew: the still may have been replaced
    } else {
      ClearBackground(display_);
    }
    RepaintPicture();
  });
  OnClick(ctl::kHideBackground, [this] {
    ClearBackground(display_);
    RepaintPicture();
  });
  OnClick(ctl::kEditSmoothing, [this] { EditSmoothing(); });
  OnClick(ctl::kSaveScreenshot, [this] { SaveScreenshot(); });
  settingsDialog_ = new CWeichzeichnerDlg(this);
}

// A file that cannot be read leaves the background black and says why; one
// that ends early shows the rows it has and says that it is incomplete.
bool CTorvakDlg::ShowBackgroundPicture() {
  const BackgroundLoad load = ShowBackground(display_, backgroundPath_, backgroundFit_);
  ShowStatus(load.problem.value_or(tr("Hintergrundbild %1 geladen").arg(backgroundPath_)));
  return load.shown;
}

// Any picture, so scaled to fit; remembered (and then reloaded by "Bild
// Laden", at its size as a webcam still) only if it could be shown, else the
// last choice stays.
void CTorvakDlg::ChooseBackground(const QString& path) {
  const QString previousPath = std::exchange(backgroundPath_, path);
  const BackgroundFit previousFit = std::exchange(backgroundFit_, BackgroundFit::Scaled);
  if (ShowBackgroundPicture()) {
    StoreBackgroundPath(path);
    ShowBackgroundPathLabel();
  } else {
    backgroundPath_ = previousPath;
    backgroundFit_ = previousFit;
  }
  ControlAs<QAbstractButton>(ctl::kBackgroundVisible)->setChecked(true);
  RepaintPicture();
}

void CTorvakDlg::ShowBackgroundPathLabel() {
  auto* pathLabel = ControlAs<QLabel>(ctl::kBackgroundPathLabel);
  pathLabel->setText(backgroundPath_);
  pathLabel->setToolTip(backgroundPath_);  // a long path does not fit the label
}

// As around the About box: a running scan waits while the dialog is open.
void CTorvakDlg::EditSmoothing() {
  scan_->Pause();
  const bool applied = ApplySmoothingSettings(*settingsDialog_, image_, display_);
  scan_->Resume();
  if (applied) {
    RepaintPicture();
  }
}

// The strip beside the picture area (the colour scale and the values) as
// the window shows it, without the marks of editing a field.
QImage CTorvakDlg::GrabStrip() {
  const QRect strip(layout_.pictureArea.right, layout_.pictureArea.top, kStripWidth, kExportHeight);
  const PlainTextFields plain(*this, strip);
  return grab(strip).toImage();
}

// The picture, the strip beside it and the measured values are taken before
// the dialog opens: the scan goes on while it is open.
void CTorvakDlg::SaveScreenshot() {
  QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  {
    QPainter painter(&picture);
    painter.setFont(font());  // the markers' numbers as the window draws them
    PaintPictureArea(painter);
  }
  const QImage screenshot = AssembleScreenshot(picture, GrabStrip());
  Measurements measurements = TakeMeasurements(image_.grid, image_.ambientTemperature, image_.range);
  if (opened_) measurements.takenAt = opened_->takenAt;
  const QString path = chooseExportPath_(this);
  if (path.isEmpty()) {
    return;
  }
  if (const std::optional<QString> problem = SaveExport(path, screenshot, measurements)) {
    ShowStatus(*problem);
    QMessageBox::warning(this, tr("Speichern (Screenshot)"), *problem);
    return;
  }
  ShowStatus(tr("Die Datei %1 wurde gespeichert.").arg(path));
}

// The step a running scan is in when it is stopped still delivers its
// readings; they must not overwrite the values opened.
bool CTorvakDlg::OpenMeasurementsFile(const QString& path) {
  const MeasurementsRead read = ReadMeasurements(path);
  if (!read.data) {
    ShowStatus(read.problem);
    QMessageBox::warning(this, tr("Messwerte öffnen"), read.problem);
    return false;
  }
  if (scanning_) {
    scan_->Stop();
    dropReadingsUntilStopped_ = true;
  }
  if (!opened_) opened_ = OpenedValues{{}, image_.range, image_.ambientTemperature};
  opened_->takenAt = read.data->takenAt;
  image_.range = read.data->range;
  std::copy_n(&read.data->grid[0][0], kGridColumns * kGridRows, &image_.grid[0][0]);
  image_.RebuildImage();
  ShowAmbient(read.data->ambientTemperature);
  RepaintPicture();
  ShowStatus(tr("Messwerte aus %1 geöffnet").arg(path));
  return true;
}

// Opened values give way to the scan's own.
void CTorvakDlg::ShowLiveValues() {
  if (!opened_) return;
  image_.range = opened_->liveRange;
  ShowAmbient(opened_->liveAmbient);
  opened_.reset();
  RepaintPicture();
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

UpDown* CTorvakDlg::EdgeControl(RangeEdge edge) const {
  switch (edge) {
    case RangeEdge::Top:
      return ControlAs<UpDown>(ctl::kTopEdge);
    case RangeEdge::Bottom:
      return ControlAs<UpDown>(ctl::kBottomEdge);
    case RangeEdge::Left:
      return ControlAs<UpDown>(ctl::kLeftEdge);
    case RangeEdge::Right:
      break;
  }
  return ControlAs<UpDown>(ctl::kRightEdge);
}

// Limits and positions as at start-up: the full range.
void CTorvakDlg::ResetRangeControls() {
  const int lastColumn = kGridColumns - 1;
  const int lastRow = kGridRows - 1;
  EdgeControl(RangeEdge::Left)->SetRange(0, lastColumn);
  EdgeControl(RangeEdge::Right)->SetRange(0, lastColumn);
  EdgeControl(RangeEdge::Top)->SetRange(0, lastRow);
  EdgeControl(RangeEdge::Bottom)->SetRange(0, lastRow);
  OnScanRangeChanged(ScanRange{});
}

// The scan's accepted range: the image's copy (framed in the picture, unless
// opened values show theirs) and the positions of the four edge controls.
void CTorvakDlg::OnScanRangeChanged(const ScanRange& range) {
  (opened_ ? opened_->liveRange : image_.range) = range;
  for (RangeEdge edge : kRangeEdges) EdgeControl(edge)->SetPosition(range.Edge(edge));
  RepaintPicture();
}

// The "Com" button of the port the scan opened; none for a number that is no Com port.
void CTorvakDlg::ShowPortChoice(int number) {
  if (IsComPort(number)) ControlAs<QAbstractButton>(ctl::PortButton(number))->setChecked(true);
}

void CTorvakDlg::ShowAmbient(int celsius) {
  image_.ambientTemperature = celsius;
  ControlAs<QLineEdit>(ctl::kAmbientField)->setText(celsius == 0 ? QString() : DegreesField(celsius));
}

void CTorvakDlg::SetDisplayModeAndRepaint(int mode) {
  SetDisplayMode(display_, image_, mode);
  RepaintPicture();
}

void CTorvakDlg::ShowPage(int page, bool show) {
  for (int id : PageControls(page)) Control(id)->setVisible(show);
}

void CTorvakDlg::OnTabChanged(int page) {
  if (page >= 0 && page < kPageCount) {
    for (int p = 0; p < kPageCount; ++p) ShowPage(p, p == page);
  }
  update();
}

// The scan service pauses only a running scan and resumes only what it paused.
void CTorvakDlg::ShowAboutBox() {
  scan_->Pause();
  CAboutDlg about(this);
  about.exec();
  scan_->Resume();
}

void CTorvakDlg::ShowStatus(const QString& text) { statusLine_->showMessage(text); }

QString CTorvakDlg::StatusText() const { return statusLine_->currentMessage(); }

void CTorvakDlg::RepaintPicture() {
  update(ToRect(layout_.pictureArea));
  emit pictureChanged();
}

void CTorvakDlg::PaintPictureArea(QPainter& painter) {
  ComposePicture(display_, image_);
  painter.drawImage(0, 0, SurfaceImage(display_.compositeSurface));
  measuringPoints_->PaintMarkers(painter);
}

void CTorvakDlg::paintEvent(QPaintEvent* event) {
  QWidget* readoutTabs = Control(ctl::kReadoutTabs);
  if (!readoutTabs->isHidden()) readoutTabs->hide();  // the "Temperatur" tab is gone from the first paint on
  QPainter painter(this);
  const QRect picture = ToRect(layout_.pictureArea);
  if (event->region().intersects(picture)) {
    painter.translate(picture.topLeft());
    PaintPictureArea(painter);
    painter.resetTransform();
  }
  const QRect scale = ToRect(layout_.scaleArea);
  if (event->region().intersects(scale)) {
    painter.drawImage(scale.topLeft(), SurfaceImage(display_.legendSurface),
                      QRect(QPoint(0, 0), scale.size()));
  }
}

// Moves over the window's own surface: the picture and scale areas lie free
// of controls, and a move over a control stays with the control.
void CTorvakDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const std::string text =
      MouseTemperatureText(display_, image_, layout_.pictureArea, layout_.scaleArea, at.x(), at.y());
  ControlAs<QLineEdit>(ctl::kMouseField)->setText(QString::fromStdString(text));
  QDialog::mouseMoveEvent(event);
}

// Ctrl+click sets a measuring point at the cell under the pointer.
void CTorvakDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier &&
      measuringPoints_->SetPointAt(event->position().toPoint()))
    return event->accept();
  QDialog::mousePressEvent(event);
}

// The window's actions: the measuring points' entries, then About.
void CTorvakDlg::contextMenuEvent(QContextMenuEvent* event) {
  measuringPoints_->PrepareMenu(event->pos());
  QMenu::exec(actions(), event->globalPos(), nullptr, this);
}

void CTorvakDlg::reject() {
  if (measuringPoints_->ConfirmDiscard()) QDialog::reject();
}

void CTorvakDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();  // OnOK does nothing
    return;
  }
  QDialog::keyPressEvent(event);
}
