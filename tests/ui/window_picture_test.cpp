// The window's picture tools: the tabs, the page "Wärmebild", the background,
// the readout under the mouse and "Speichern (Screenshot)".
#include "window_fixture.h"

#include <tuple>

#include "image/readout.h"
#include "overlay/export.h"
#include "overlay/measurements.h"
#include "ui/measuring_point_tools.h"

// A tab shows its page alone. Each control changes its part of the display and repaints
// the picture: a scroll action of a bar moves the selected pictures its way, the still
// is read anew whenever it is shown. The mouse readout shows the picture's temperature.
TEST_F(WindowTest, PictureControlsReachTheirModelAndThePicture) {
  QTemporaryDir dir;
  const QString still = dir.filePath(QStringLiteral("webcam.bmp"));
  const auto save = [&](Colour c) {
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    return picture.fill(c), picture.save(still, "BMP");
  };
  ASSERT_TRUE(save(kWhite));
  QSettings().setValue(QStringLiteral("SETTINGS/BACKGROUND"), still);
  CTorvakDlg& window = Open();
  QSettings().remove(QStringLiteral("SETTINGS/BACKGROUND"));  // read at start-up
  EXPECT_EQ(window.ControlAs<QLabel>(ctl::kBackgroundPathLabel)->text(), still);
  QTabBar* tabs = window.ControlAs<QTabWidget>(ctl::kPanelTabs)->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(kPageWaermebild).center());
  for (int page = 0; page < kPageCount; ++page)
    for (int id : PageControls(page)) EXPECT_EQ(window.Control(id)->isVisibleTo(&window), page == kPageWaermebild);
  using A = QAbstractSlider;
  const auto bar = [&](int id) { return window.ControlAs<QScrollBar>(id); };
  const PictureRect& now = Display().leftPicture;
  const PictureRect start = now;
  // The sign of the field's change by the bar's action after "Reset"; SliderMove drags the thumb.
  const auto move = [&](int id, A::SliderAction action, int PictureRect::*field) {
    Click(ctl::kArrangementReset);
    action == A::SliderMove ? bar(id)->setSliderPosition(bar(id)->value() + 50) : bar(id)->triggerAction(action);
    return (now.*field > start.*field) - (now.*field < start.*field);
  };
  const auto shows = [&](Colour c) { return (Display().backgroundSurface.Pixel(0, 0) | 0xff000000u) == c; };
  const auto visible = [&] { return Button(ctl::kBackgroundVisible)->isChecked(); };
  constexpr Colour kOrange = Rgb(200, 100, 50);
  const std::pair<const char*, std::function<bool()>> changes[] = {
      {"Weichzeichner", [&] { return Click(ctl::kSmoothed), Display().displayMode == DisplayMode::Smoothed; }},
      {"Mess-Pixel", [&] { return Click(ctl::kMeasuredPixels), Display().displayMode == DisplayMode::MeasuredPixels; }},
      {"Transparenz",
       [&] { return window.ControlAs<QSlider>(ctl::kTransparency)->setValue(30), Display().transparency == 30; }},
      {"X, right arrow", [&] { return move(ctl::kBarPositionX, A::SliderSingleStepAdd, &PictureRect::x) == 1; }},
      {"X, left trough", [&] { return move(ctl::kBarPositionX, A::SliderPageStepSub, &PictureRect::x) == -1; }},
      {"Y, upper arrow", [&] { return move(ctl::kBarPositionY, A::SliderSingleStepSub, &PictureRect::y) == -1; }},
      {"width, thumb right", [&] { return move(ctl::kBarWidth, A::SliderMove, &PictureRect::width) == 1; }},
      {"height, top: tallest", [&] { return move(ctl::kBarHeight, A::SliderToMinimum, &PictureRect::height) == 1; }},
      {"Löschen", [&] { return Store(5, 10, 80), Click(ctl::kClearImage), Image().Grid()[5][10] == kNoReading; }},
      {"Edit, OK", [&] {
         WithNextModal<QDialog>([](QDialog& d) { d.findChild<QSlider*>("radiusBar")->setValue(45), d.accept(); });
         return Click(ctl::kEditSmoothing), Image().KernelRadius() != ThermalImage{}.KernelRadius();
       }},
      {"Bild Laden", [&] { return Click(ctl::kLoadPicture), shows(kWhite) && window.StatusText().contains(still); }},
      {"Hintergrundbild sichtbar, off", [&] { return Click(ctl::kBackgroundVisible), shows(kBlack); }},
      {"Bild Laden with the box off", [&] { return Click(ctl::kLoadPicture), shows(kWhite) && visible(); }},
      {"Bild Ausblenden", [&] { return Click(ctl::kHideBackground), shows(kBlack) && visible(); }},
      {"Hintergrundbild sichtbar, off and on: read anew",
       [&] { return Click(ctl::kBackgroundVisible), save(kOrange), Click(ctl::kBackgroundVisible), shows(kOrange); }},
  };
  for (const auto& [name, change] : changes) {
    QCoreApplication::processEvents();  // paints still due
    const int before = picturePaints_;
    EXPECT_TRUE(change()) << name;
    EXPECT_TRUE(WaitFor([&] { return picturePaints_ > before; })) << name;
  }
  Click(ctl::kArrangementReset);
  EXPECT_EQ(std::tie(now.x, now.y, now.width, now.height), std::tie(start.x, start.y, start.width, start.height));
  Click(ctl::kKeepAspect);
  EXPECT_FALSE(bar(ctl::kBarHeight)->isEnabled());
  Click(ctl::kLeftPicture);
  Click(ctl::kRightPicture);
  for (int id : {ctl::kBarPositionX, ctl::kBarPositionY, ctl::kBarWidth}) EXPECT_FALSE(bar(id)->isEnabled());
  for (int i = 0; i < kGridColumns * kGridRows; ++i) Store(i / kGridRows, i % kGridRows, 30);
  PaintPicture();  // the readout reads the composed display
  const Area& area = window.Layout().pictureArea;
  const QPoint over(area.left + now.x + now.width / 2, area.top + now.y + now.height / 2);  // the left picture's centre
  QTest::mouseMove(&window, over);
  const QString shown = window.ControlAs<QLineEdit>(ctl::kMouseField)->text();
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_EQ(shown, window.Model().PictureReadout(over - QPoint(area.left, area.top)));
}

// The scan goes on while the save dialog is open; the picture saved is what the
// picture area showed at the click, markers included, beside the window's scale
// strip without a field's selection or focus, and the values are those of the click.
// A failed save is told in a box and on the status line, a cancelled one nowhere.
TEST_F(WindowTest, ScreenshotHoldsThePictureAndValuesOfTheClickWhileTheScanGoesOn) {
  QTemporaryDir dir;
  QString path;  // of the last save
  // Clicks "Speichern (Screenshot)"; whileOpen stands in for the save dialog and names the file, "" to cancel.
  const auto save = [&](std::function<const char*()> whileOpen) {
    window_->SetExportPathChooser([&, whileOpen](QWidget*) {
      const char* name = whileOpen();
      return path = *name != 0 ? dir.filePath(QString::fromLatin1(name)) : QString();
    });
    Click(ctl::kSaveScreenshot);
  };
  Open();
  window_->Model().AddPoint({40, 13});
  auto* field = window_->ControlAs<QLineEdit>(ctl::kMaxField);
  field->setFocus();
  field->selectAll();
  StartAndHoldAfter(PanWrite(3));
  const Area& picture = window_->Layout().pictureArea;
  const auto grab = [&](QRect rect) { return window_->grab(rect).toImage().convertToFormat(QImage::Format_RGB32); };
  const QImage atClick = PaintPicture(), shownAtClick = grab(ToRect(picture));
  save([&] {
    adapter_->Release();
    EXPECT_TRUE(WaitForFrame(PanWrite(6))) << "the scan waited while the dialog was open";
    return "bild.bmp";
  });
  ASSERT_TRUE(WaitFor([&] { return PaintPicture() != atClick; }));
  const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(saved.copy(0, 0, kPictureWidth, kPictureHeight), shownAtClick);
  EXPECT_TRUE(field->hasFocus() && field->selectedText() == field->text());  // kept as it was
  field->deselect();
  field->clearFocus();
  EXPECT_EQ(saved.copy(kPictureWidth, 0, kStripWidth, kExportHeight),
            grab(QRect(picture.right, picture.top, kStripWidth, kExportHeight)));
  EXPECT_TRUE(window_->StatusText().contains(path));
  const auto valueLines = [](const QString& file) {  // the first line says when the values were taken
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll().split('\n').mid(1) : QList<QByteArray>{};
  };
  ASSERT_FALSE(SaveMeasurements(dir.filePath("erwartet.csv"), TakeMeasurements(Image().Grid(), 0, ScanRange{})));
  save([&] { return Store(0, 0, 99), "werte.csv"; });
  EXPECT_EQ(valueLines(path), valueLines(dir.filePath("erwartet.csv")));
  QString told;
  WithNextModal<QMessageBox>([&](QMessageBox& box) { told = box.text(), box.accept(); });
  save([] { return "fehlt/bild.bmp"; });  // no such folder
  EXPECT_FALSE(told.isEmpty());
  EXPECT_EQ(window_->StatusText(), told);
  save([] { return ""; });
  EXPECT_EQ(window_->StatusText(), told);
}

// "Messwerte öffnen…" (Ctrl+O) stops a running scan and shows the file's values (their range framed) as
// when they were saved, and an export writes the same file; a dropped file is opened too, a bad one is
// named in a box and on the status line and changes nothing.
TEST_F(WindowTest, OpenedMeasurementsStopTheScanAndShowAndExportAsWhenSaved) {
  QTemporaryDir dir;
  const QString saved = dir.filePath("werte.csv"), again = dir.filePath("wieder.csv");
  const auto contents = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  CTorvakDlg& window = Open();
  window.SetExportPathChooser([&](QWidget*) { return again; });
  for (int i = 0; i < 300; ++i) Store(i % kGridColumns, i * 7 % kGridRows, 20 + i % 120);
  const ScanRange fileRange{0, 55, 0, 27};
  Measurements data = TakeMeasurements(Image().Grid(), 23, fileRange);
  data.takenAt = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9));
  ASSERT_FALSE(SaveMeasurements(saved, data));
  window.Model().SetScanRange(fileRange);
  const QImage before = PaintPicture();
  window.Model().SetScanRange(ScanRange{});
  StartAndHoldAfter(ReadFrame(kPanAddress, 2));  // inside the first step
  PickInNextFileDialog(saved);
  QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
  adapter_->Release();
  ASSERT_TRUE(WaitFor([&] { return !window.Scanning(); }));
  EXPECT_EQ(PaintPicture(), before);
  Click(ctl::kSaveScreenshot);
  EXPECT_EQ(contents(again).toStdString(), contents(saved).toStdString());

  const QString bad = dir.filePath("kaputt.csv");
  QFile(saved).copy(bad);
  QFile(bad).resize(QFileInfo(saved).size() / 2);
  QString told;
  WithNextModal<QMessageBox>([&](QMessageBox& box) { told = box.text(), box.accept(); });
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(bad)});
  QDragEnterEvent enter(QPoint(500, 200), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(500, 200), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(told.contains(bad) && window.StatusText() == told);
  EXPECT_EQ(PaintPicture(), before);

}

// "Hintergrundbild wählen…" shows the chosen picture at once, scaled to the area also when it is
// shown again, and makes it the setting read at the next start; "Bild Laden" loads it at its size;
// a file that cannot be shown is not remembered.
TEST_F(WindowTest, ChosenBackgroundIsShownScaledAndRememberedUnlessItCannotBeShown) {
  QTemporaryDir dir;
  const QString still = dir.filePath("tafel.png"), broken = dir.filePath("kaputt.png");
  QImage picture(kPictureWidth / 2, kPictureHeight / 2, QImage::Format_RGB32);
  picture.fill(Rgb(10, 200, 30));
  ASSERT_TRUE(picture.save(still, "PNG"));
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("kein Bild") > 0);
  file.close();
  CTorvakDlg& window = Open();
  const auto choose = [&](const QString& path) {
    PickInNextFileDialog(path);
    for (QAction* action : window.actions())
      if (action->text() == QStringLiteral("Hintergrundbild wählen…")) action->trigger();
  };
  const auto corner = [&] { return Display().backgroundSurface.Pixel(kPictureWidth - 1, kPictureHeight - 1); };
  choose(still);
  EXPECT_EQ(corner(), Rgb(10, 200, 30));
  Click(ctl::kBackgroundVisible);
  Click(ctl::kBackgroundVisible);
  EXPECT_EQ(corner(), Rgb(10, 200, 30));
  Click(ctl::kLoadPicture);
  EXPECT_EQ(corner(), kBlack);
  choose(broken);
  EXPECT_EQ(QSettings().value(QStringLiteral("SETTINGS/BACKGROUND")).toString(), still);
  EXPECT_EQ(window.ControlAs<QLabel>(ctl::kBackgroundPathLabel)->text(), still);
  QSettings().remove(QStringLiteral("SETTINGS/BACKGROUND"));
}

// "Farbbereich": Ctrl+B follows the readings, "Fest…" refuses a wrong field with a sentence naming it and
// takes a good span, Ctrl+Shift+B brings back the standard; a span other than that is named at the right
// of the status line.
TEST_F(WindowTest, ColourSpanEntriesReachTheModelAndNameTheSpan) {
  CTorvakDlg& window = Open();
  auto* note = window.findChild<QLabel*>(QStringLiteral("spanNote"));
  EXPECT_FALSE(note->isVisible());
  QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
  EXPECT_TRUE(window.Model().Span() == PictureModel::SpanMode::Automatic && note->isVisible());
  QString refused;
  WithNextModal<QDialog>([&](QDialog& dialog) {
    const auto field = [&](const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); };
    const auto ok = [&] { dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); };
    field("lowest")->setText(QStringLiteral("26")), field("highest")->setText(QStringLiteral("18")), ok();
    refused = dialog.findChild<QLabel*>(QStringLiteral("refusal"))->text();
    field("highest")->setText(QStringLiteral("30")), ok();
  });
  for (QAction* action : window.findChildren<QAction*>())
    if (action->text() == QStringLiteral("Fest…")) action->trigger();
  EXPECT_TRUE(refused.contains(QStringLiteral("Höchste")));
  EXPECT_EQ(note->text(), QStringLiteral("Farbbereich 26–30 °C"));
  window.activateWindow();  // the dialog took it
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(window.Model().Span() == PictureModel::SpanMode::Standard && !note->isVisible());
}

// "Isotherme…" refuses a wrong field with a sentence and sets a good isotherm, counted at the right of the
// status line; Ctrl+Shift+I ends it. Ctrl+R remembers the picture, Ctrl+D shows the difference with its
// note, "Differenzbereich fest…" fixes its reach, Ctrl+Shift+D ends it.
TEST_F(WindowTest, IsothermAndDifferenceEntriesReachTheModel) {
  CTorvakDlg& window = Open();
  const auto trigger = [&](const QString& text) {
    for (QAction* action : window.findChildren<QAction*>())
      if (action->text() == text) action->trigger();
  };
  const auto key = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    window.activateWindow();  // a dialog may have taken it
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, key, modifiers);
  };
  const auto answer = [&](const char* first, const char* second, const char* fields) {
    WithNextModal<QDialog>([=](QDialog& dialog) {
      const QStringList names = QString::fromLatin1(fields).split(u' ');
      dialog.findChild<QLineEdit*>(names.front())->setText(QString::fromLatin1(first));
      if (names.size() > 1) dialog.findChild<QLineEdit*>(names.back())->setText(QString::fromLatin1(second));
      dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      EXPECT_FALSE(dialog.findChild<QLabel*>(QStringLiteral("refusal"))->text().isEmpty());
      dialog.findChild<QLineEdit*>(names.front())->setText(QStringLiteral("4"));
      dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
  };
  auto* isothermNote = window.findChild<QLabel*>(QStringLiteral("isothermNote"));
  answer("30", "20", "low high");
  trigger(QStringLiteral("Isotherme…"));
  EXPECT_TRUE(window.Model().IsothermShown() && isothermNote->isVisible());
  key(Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(!window.Model().IsothermShown() && !isothermNote->isVisible());

  window.Model().StoreReading(CellReading{5, 5, 21});
  key(Qt::Key_R, Qt::ControlModifier);
  key(Qt::Key_D, Qt::ControlModifier);
  auto* differenceNote = window.findChild<QLabel*>(QStringLiteral("differenceNote"));
  EXPECT_TRUE(window.Model().DifferenceShown() && differenceNote->isVisible());
  answer("0", "", "reach");
  trigger(QStringLiteral("Differenzbereich fest…"));
  EXPECT_EQ(window.Model().MaxText(), QStringLiteral("+4 K"));
  key(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(!window.Model().DifferenceShown() && !differenceNote->isVisible());
}

// "Emissionsgrad…" (Ctrl+E): a typical value fills the picture's field, a wrong point field is refused
// naming it, a typed reflected temperature replaces the ambient one; the note shows while correcting.
TEST_F(WindowTest, EmissivityDialogReachesTheModel) {
  CTorvakDlg& window = Open();
  window.Model().AddPoint({3, 3});
  WithNextModal<QDialog>([](QDialog& dialog) {
    const auto field = [&](const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); };
    auto* typical = dialog.findChild<QComboBox*>(QStringLiteral("typical"));
    typical->setCurrentIndex(1);
    emit typical->activated(1);  // "Mattschwarzer Lack (0,95)"
    field("point1")->setText(QStringLiteral("1,5"));
    dialog.findChild<QCheckBox*>(QStringLiteral("asAmbient"))->setChecked(false);
    field("reflected")->setText(QStringLiteral("22"));
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("refusal"))->text().contains(QStringLiteral("Punkt 1")));
    field("point1")->setText(QStringLiteral("0,9"));
    ok->click();
  });
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
  const PictureModel::EmissivityChoice& chosen = window.Model().Emissivity();
  EXPECT_TRUE(chosen.picture == 0.95 && chosen.points[0] == 0.9 && chosen.reflectedCelsius == 22.0);
  EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("emissivityNote"))->isVisible());
}
