// Around the thermal pictures: their arrangement, the background picture and the exported files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <chrono>
#include <future>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "image/display.h"
#include "overlay/arrangement.h"
#include "overlay/background.h"
#include "overlay/export.h"
#include "overlay/regular_file.h"
#include "overlay/surface_image.h"

namespace {

// After start-up: both pictures checked, aspect not kept; 248 x 192 with centres (-160, 0) and (160, 0)
// from the middle of the area (y upward). A picture may move until it has just left the area and be
// 31..1280 x 32..960; size bars count in per cent, truncated; a bar takes what all checked pictures allow.
class ArrangementGroup : public ::testing::Test {
 protected:
  ArrangementGroup() { model.Reset(left, right); }
  // A scroll request on one bar, then the update the window runs.
  void Scroll(ArrangementBarIndex i, int code, int dragged = 0) {
    model.StepBar(code, i, dragged, left);
    model.ApplyArrangement(left, right);
  }
  void DragTo(ArrangementBarIndex i, int position) { Scroll(i, kThumbTrack, position); }
  void Select(bool l, bool r) {
    model.SelectPictures(l, r);
    model.SetUpArrangement(left, right);
  }
  void ExpectRange(ArrangementBarIndex i, int min, int max, int position) {
    const ArrangementBar& b = model.Bar(i);
    EXPECT_EQ(std::tuple(b.enabled, b.minimum, b.maximum, b.position), std::tuple(true, min, max, position)) << i;
  }
  // x, y, width and height of both pictures; cells are a 31st and a 32nd of them.
  void Expect(const PictureRect& l, const PictureRect& r) {
    for (const auto& [is, should] : {std::pair{left, l}, {right, r}})
      EXPECT_EQ(std::tuple(is.x, is.y, is.width, is.height, is.cellWidth, is.cellHeight),
                std::tuple(should.x, should.y, should.width, should.height, should.width / 31.0, should.height / 32.0));
  }

  PictureRect left, right;
  Arrangement model;
};

TEST_F(ArrangementGroup, StartRangesAndNeutralThumbsForTheCheckedPictures) {
  Expect({36, 144, 248, 192}, {356, 144, 248, 192});
  ExpectRange(kPositionXBar, -284, 284, 0);  // -320 - 124 + 160 .. 320 + 124 - 160
  ExpectRange(kPositionYBar, -336, 336, 0);
  ExpectRange(kWidthBar, 12, 516, 100);
  ExpectRange(kHeightBar, 16, 500, 416);  // reversed: value 100 sits at 16 + 500 - 100
  Select(false, true);
  ExpectRange(kPositionXBar, -444 - 160, 444 - 160, 0);
  Select(false, false);
  for (ArrangementBarIndex i : {kPositionXBar, kPositionYBar, kWidthBar, kHeightBar}) EXPECT_FALSE(model.Bar(i).enabled);
  Scroll(kWidthBar, kToMaximum);  // a disabled bar does not move
  EXPECT_EQ(model.Bar(kWidthBar).position, 100);
  Expect({36, 144, 248, 192}, {356, 144, 248, 192});
}

// An offset bar's value less its reference is added to the base value, a size bar's is a percentage of
// it; a reversed bar's value is its position mirrored within its range.
TEST(ArrangementBar, ValueAppliesToTheBaseValue) {
  const std::tuple<ArrangementBar, int, int> cases[] = {{{50, false, 0, 100, false, true, true, 20}, 10, 40},
                                                        {{100, true, 0, 500, false, false, true, 150}, 248, 372}};
  for (const auto& [bar, base, value] : cases) EXPECT_EQ(Arrangement::ReadBar(bar, base), value) << bar.position;
}

// Both pictures scale about the middle of the area, one alone about its own centre. 201 % of 248 is 498;
// centres -/+160 scaled by 498 / 248 are -/+321.29, truncated.
TEST_F(ArrangementGroup, WidthBarScalesThePairAboutTheAreaCentreOrOnePictureAboutItsOwn) {
  DragTo(kWidthBar, 200);
  Expect({-248, 144, 496, 192}, {392, 144, 496, 192});
  DragTo(kWidthBar, 201);
  Expect({-321 - 249 + 320, 144, 498, 192}, {321 - 249 + 320, 144, 498, 192});
  model.Reset(left, right);
  Select(true, false);
  DragTo(kWidthBar, 200);
  Expect({-88, 144, 496, 192}, {356, 144, 248, 192});
}

// With the aspect kept the width bar drives both sizes, within the height's limits too. Reset restores
// the start layout and keeps the check boxes and the aspect captured before.
TEST_F(ArrangementGroup, KeptAspectLetsTheWidthBarDriveBothSizesAndSurvivesAReset) {
  model.SetKeepAspect(true, left, right);
  ExpectRange(kWidthBar, 16, 500, 100);
  DragTo(kWidthBar, 150);
  Expect({-240 - 186 + 320, 240 - 144, 372, 288}, {240 - 186 + 320, 240 - 144, 372, 288});
  model.SetKeepAspect(false, left, right);
  DragTo(kHeightBar, model.Bar(kHeightBar).minimum + model.Bar(kHeightBar).maximum - 150);
  Expect({-240 - 186 + 320, 240 - 216, 372, 432}, {240 - 186 + 320, 240 - 216, 372, 432});
  Select(false, true);
  model.SetKeepAspect(true, left, right);  // captures 432 / 372
  model.Reset(left, right);
  Expect({36, 144, 248, 192}, {356, 144, 248, 192});
  EXPECT_TRUE(!model.LeftSelected() && model.RightSelected() && !model.Bar(kHeightBar).enabled);
  DragTo(kWidthBar, 100);
  Expect({36, 144, 248, 192}, {356, 240 - 144, 248, 288});  // 248 * 432 / 372 = 288
}

// Arrows step one pixel or per cent, trough clicks one cell of the left picture, even when only the right
// one moves; a step stops only at the end it moves toward, so from a neutral thumb outside the range it
// moves by the step; a dragged thumb goes where it is dragged. The top of a vertical bar is its minimum.
TEST_F(ArrangementGroup, StepsMoveTheThumbWithinItsRange) {
  Scroll(kPositionYBar, kLineUp);
  Scroll(kPositionYBar, kPageUp);    // a cell of 6 pixels
  Scroll(kPositionXBar, kPageDown);  // a cell of 8 pixels
  Scroll(kHeightBar, kLineUp);       // the upper arrow makes the pictures taller: 1.01 * 192 = 193.92
  Expect({44, 137, 248, 193}, {364, 137, 248, 193});
  const std::tuple<int, int, int> steps[] = {{kThumbTrack, 515, 515}, {kPageDown, 0, 516}, {kEndScroll, 0, 516},
                                             {kThumbTrack, 13, 13},   {kLineUp, 0, 12},     {kLineUp, 0, 12}};
  for (const auto& [code, dragged, position] : steps) {
    model.StepBar(code, kWidthBar, dragged, left);
    EXPECT_EQ(model.Bar(kWidthBar).position, position) << code;
  }
  model.Reset(left, right);
  Scroll(kPositionYBar, kToMinimum);  // the pictures have just left the area at the top
  EXPECT_EQ(left.y, -192);
  Scroll(kPositionYBar, kToMaximum);
  EXPECT_EQ(right.y, 480);
  Scroll(kPositionXBar, kToMinimum);
  DragTo(kWidthBar, 200);  // the left picture, centre -888, alone may move from offset 320 on
  Select(true, false);
  Scroll(kPositionXBar, kLineDown);
  EXPECT_EQ(left.x, -815);
  Select(false, true);
  Scroll(kPositionXBar, kPageUp);  // left cells now 16 wide
  EXPECT_EQ(right.x, -124 * 2 - 248 + 320 - 16);
}

// The left picture shrunk, the right one grown, each alone: their width ranges no longer meet, so the
// width bar is disabled and, while another bar moves, reads as no change.
TEST_F(ArrangementGroup, BarsWithoutACommonRangeAreDisabledAndChangeNothing) {
  Select(true, false);
  Scroll(kWidthBar, kToMinimum);
  Select(false, true);
  Scroll(kWidthBar, kToMaximum);
  const PictureRect shrunk = left, grown = right;
  Select(true, true);
  ASSERT_FALSE(model.Bar(kWidthBar).enabled);
  Scroll(kPositionXBar, kLineDown);  // centres scaled by their own unchanged sizes: one pixel
  Expect({shrunk.x + 1, shrunk.y, shrunk.width, shrunk.height}, {grown.x + 1, grown.y, grown.width, grown.height});
}

// Tells the pixels of a picture up to 4095 x 4095 apart, so that a shifted, scaled or stale one shows.
Colour PatternColour(int x, int y, int seed) { return Rgb(x & 0xff, y & 0xff, (((x >> 8) << 4) | (y >> 8)) ^ seed); }

// The pattern from column x0 on, width x height pixels at the pixel ratio.
QImage Pattern(int width, int height, int seed, int ratio = 1, int x0 = 0) {
  QImage picture(width * ratio, height * ratio, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, PatternColour(x0 + x / ratio, y / ratio, seed));
  picture.setDevicePixelRatio(ratio);
  return picture;
}

// Pixels not showing the pattern inside width x height from row y0 on and black beside it, alpha aside.
int Mismatches(const QImage& picture, int width, int height, int seed = 0, int y0 = 0) {
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      wrong += (picture.pixel(x, y) | 0xff000000u) !=
               (x < width && y >= y0 && y < height ? PatternColour(x, y, seed) : kBlack);
  return wrong;
}

// A screenshot whose picture and strip (grabbed at the pixel ratio) continue one pattern.
QImage Screenshot(int seed, int ratio = 1) {
  return AssembleScreenshot(Pattern(640, 480, seed), Pattern(100, 480, seed, ratio, 640));
}

// Measured values, different in most cells, some cells without a reading.
Measurements SampleMeasurements() {
  std::int32_t grid[kGridColumns][kGridRows];
  for (int c = 0; c < kGridColumns * kGridRows; ++c) grid[c / 32][c % 32] = c % 7 == 0 ? kNoReading : 1 + c % 255;
  return TakeMeasurements(grid, 23, ScanRange{5, 40, 3, 27});
}

QString Write(const QString& path, const QByteArray& content) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  return path;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A symbolic link at p to itself.
QString LinkLoop(const QString& p) { return symlink(QFile::encodeName(p), QFile::encodeName(p)) == 0 ? p : QString(); }

// A file named p with "\xff" (not UTF-8) before its last four bytes, under the name Qt makes of it.
QString NotUtf8Name(const QString& p) {
  const QByteArray name = QFile::encodeName(p).insert(QFile::encodeName(p).size() - 4, '\xff');
  const int fd = open(name.constData(), O_CREAT | O_WRONLY, 0600);
  return fd >= 0 && close(fd) == 0 ? QFile::decodeName(name) : QString();
}

class Files : public ::testing::Test {
 protected:
  // Qt cannot name what NotUtf8Name made.
  void TearDown() override { std::filesystem::remove_all(QFile::encodeName(dir.path()).toStdString()); }
  QString PathOf(const std::string& name) const { return dir.filePath(QString::fromStdString(name)); }
  qsizetype Entries() const {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size();
  }

  QTemporaryDir dir;
  DisplayData display;
};

// A picture Qt reads, recognised by content, shows its top-left 640 x 480 pixels unscaled, black beside
// them. A file that ends early shows what it has: a bitmap, stored bottom row first, its lower rows, the
// others black; a JPEG decoder fills missing rows grey itself; a PNG reader fails, yet its rows show.
// A refused file leaves black. Problems are named with the file (a link loop as such, not as missing);
// opening a pipe for reading would wait for a writer forever, and /dev/zero never ends.
TEST_F(Files, BackgroundFilesShowTheirTopLeftOrBlackAndSayWhatIsWrong) {
  const auto bytes = [](int width, int height, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && Pattern(width, height, 1).save(&buffer, format));
    return data;
  };
  const auto writing = [](const QByteArray& data) { return [=](const QString& p) { return Write(p, data); }; };
  const QByteArray bitmap = bytes(640, 480, "BMP"), jpeg = bytes(640, 480, "JPEG"), png = bytes(640, 480, "PNG");
  QByteArray huge = bytes(16, 16, "BMP");
  qToLittleEndian<qint32>(8000, huge.data() + 18);  // the header's width and height
  qToLittleEndian<qint32>(7000, huge.data() + 22);
  const qsizetype pixelsAt = qFromLittleEndian<qint32>(bitmap.constData() + 10);
  const char* rowsBlack = "ist unvollständig – fehlende Zeilen schwarz";
  const std::tuple<std::function<QString(const QString&)>, bool, const char*, int, int, int> cases[] = {
      // how the file is made, shown, problem, and the pattern's width, height and first row, if known
      {writing(bytes(1280, 960, "BMP")), true, nullptr, 1280, 960, 0},
      {writing(bytes(200, 100, "PNG")), true, nullptr, 200, 100, 0},
      {writing(jpeg), true, nullptr, -1, 0, 0},
      {writing(bitmap.left(pixelsAt + (bitmap.size() - pixelsAt) / 2)), true, rowsBlack, 640, 480, 240},
      {writing(jpeg.left(jpeg.size() / 2)), true, "ist unvollständig", -1, 0, 0},
      {writing(png.left(png.size() / 2)), true, rowsBlack, -1, 0, 0},
      {[](const QString& p) { return p; }, false, "fehlt", 0, 0, 0},
      {LinkLoop, false, "lässt sich nicht öffnen: sie ist eine symbolische Verknüpfung, die im Kreis verweist", 0, 0, 0},
      {writing({}), false, "ist leer", 0, 0, 0},
      {writing(bitmap.left(30)), false, "ist kein lesbares Bild", 0, 0, 0},
      {writing(huge), false, "ist zu groß (8000 × 7000 Pixel)", 0, 0, 0},
      {[](const QString& p) { return QDir().mkdir(p) ? p : QString(); }, false, "ist keine gewöhnliche Datei", 0, 0,
       0},
      {[](const QString& p) { return mkfifo(QFile::encodeName(p), 0600) ? QString() : p; }, false,
       "ist keine gewöhnliche Datei", 0, 0, 0},
      {[](const QString&) { return QStringLiteral("/dev/zero"); }, false, "ist keine gewöhnliche Datei", 0, 0, 0}};
  for (int n = 0; const auto& [make, shown, problem, width, height, y0] : cases) {
    const QString path = make(PathOf(std::to_string(n++) + ".bmp"));  // the format goes by the content
    for (int i = 0; i < 3; ++i) QImage(640, 480, QImage::Format_RGB32).fill(Qt::white);  // white freed memory
    display.backgroundSurface.Fill(kWhite);
    display.compositeSurface.Fill(kWhite);
    const BackgroundLoad load = ShowBackground(display, path);
    const QString expected = QStringLiteral("Hintergrundbild %1 %2").arg(path, problem);
    const bool named = problem ? load.problem == expected || load.problem.value_or("").startsWith(expected + ": ")
                               : !load.problem;
    EXPECT_TRUE(load.shown == shown && named) << n << ": " << load.problem.value_or("no problem").toStdString();
    for (const MemoryPicture* s : {&display.backgroundSurface, &display.compositeSurface})
      EXPECT_TRUE(width < 0 || !Mismatches(SurfaceImage(*s), width, height, 1, y0)) << n;
  }
  EXPECT_EQ(BackgroundPath(), QDir::temp().filePath(QStringLiteral("Torvak.bmp")));  // with no setting
}

// A chosen picture is scaled to fill the area as far as its aspect allows, up or down, centred, black beside it.
TEST_F(Files, ScaledBackgroundsFillTheAreaWithTheirAspectKept) {
  const std::pair<QSize, QRect> cases[] = {{{1600, 1200}, {0, 0, 640, 480}},
                                           {{1920, 960}, {0, 80, 640, 320}},
                                           {{160, 240}, {160, 0, 320, 480}}};
  for (const auto& [size, place] : cases) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kWhite);
    ASSERT_TRUE(picture.save(PathOf("chosen.png")));
    ASSERT_FALSE(ShowBackground(display, PathOf("chosen.png"), BackgroundFit::Scaled).problem);
    int wrong = 0;
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth; ++x)
        wrong += display.compositeSurface.Pixel(x, y) != (place.contains(x, y) ? kWhite : kBlack);
    EXPECT_EQ(wrong, 0) << size.width() << " x " << size.height();
  }
}

// The extension in any case names the format; the strip fills its 100 x 480 place at any pixel ratio.
// Saving again replaces the file; a name without a format writes nothing.
TEST_F(Files, ScreenshotsAreSavedInTheFormatOfTheExtension) {
  const std::tuple<const char*, QByteArray, int> cases[] = {
      {"shot.bmp", "BM", 1}, {"shot.PNG", "\x89PNG", 2}, {"shot.JPG", "\xff\xd8\xff", 1}, {"s.jpeg", "\xff\xd8", 1}};
  for (const auto& [name, magic, ratio] : cases) {
    EXPECT_EQ(SaveImageFile(PathOf(name), Screenshot(ratio, ratio)), std::nullopt) << name;
    EXPECT_TRUE(Contents(PathOf(name)).startsWith(magic)) << name;
  }
  EXPECT_EQ(SaveImageFile(PathOf("shot.bmp"), Screenshot(9)), std::nullopt);
  for (const auto& [name, seed] : {std::pair{"shot.bmp", 9}, {"shot.PNG", 2}})
    EXPECT_TRUE(QImage(PathOf(name)).size() == QSize(740, 480) && !Mismatches(QImage(PathOf(name)), 740, 480, seed));
  for (const QString& path : {PathOf("shot.xyz"), PathOf("shot"), PathOf("shot.csv.txt"), QString()}) {
    const auto message = SaveImageFile(path, Screenshot(0));
    EXPECT_TRUE(message && message->contains(path)) << path.toStdString();
  }
  EXPECT_EQ(Entries(), 4);
}

// Exports that fail leave everything as it was and name the file: a write past 1 KiB fails midway
// (EFBIG, named as too large, even for root); below a regular file, a folder or a pipe no file can be made.
TEST_F(Files, FailedExportsLeaveEverythingAsItWas) {
  const std::pair<const char*, QByteArray> files[] = {
      {"shot.png", "old picture"}, {"werte.csv", "old values"}, {"notes", "keep"}};
  for (const auto& [name, content] : files) Write(PathOf(name), content);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
  ASSERT_EQ(mkfifo(QFile::encodeName(PathOf("pipe.csv")), 0600), 0);
  QImage noise(740, 480, QImage::Format_RGB32);  // does not compress below the limit
  QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.bits()), noise.sizeInBytes() / 4);
  const auto oldAction = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
  rlimit limit{1024, oldLimit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  std::vector<std::pair<std::string, std::optional<QString>>> saves;
  for (const std::string name : {"shot.png", "werte.csv", "notes/a.png", "notes/b.csv", "folder.png", "pipe.csv"})
    saves.emplace_back(name, SaveExport(PathOf(name), noise, SampleMeasurements()));
  setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldAction);
  for (const auto& [name, message] : saves) EXPECT_TRUE(message && message->contains(PathOf(name))) << name;
  EXPECT_TRUE(saves[0].second.value_or("").contains(u"zu groß") && saves[1].second.value_or("").contains(u"zu groß"));
  for (const auto& [name, content] : files) EXPECT_EQ(Contents(PathOf(name)), content) << name;
  EXPECT_TRUE(QDir(PathOf("folder.png")).exists() && Entries() == 5);
  struct stat status {};
  EXPECT_TRUE(lstat(QFile::encodeName(PathOf("pipe.csv")), &status) == 0 && S_ISFIFO(status.st_mode));
}

// A comment line with '#', date and time, ambient temperature and the range's columns and rows, then
// the rows from 31 (the top) down, columns separated by ';', a cell without a reading empty.
TEST_F(Files, SavedMeasurementsListTheGridFromTheTopRowUnderADatedHeader) {
  Measurements data = SampleMeasurements();
  data.takenAt = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9));
  EXPECT_EQ(SaveExport(PathOf("werte.CSV"), Screenshot(0), data), std::nullopt);  // any case
  const QList<QByteArray> lines = Contents(PathOf("werte.CSV")).split('\n');
  ASSERT_TRUE(lines.size() == 1 + kGridRows + 1 && lines.back().isEmpty());
  const QString header = QStringLiteral("^#.*07\\.03\\.2024.*14:05:09.*\\b23\\b.*\\b5\\b.*\\b40\\b.*\\b3\\b.*\\b27\\b");
  EXPECT_TRUE(QString::fromUtf8(lines[0]).contains(QRegularExpression(header))) << lines[0].toStdString();
  for (int row = 0; row < kGridRows; ++row) {
    const QList<QByteArray> fields = lines[kGridRows - row].split(';');
    ASSERT_EQ(fields.size(), kGridColumns) << "row " << row;
    for (int c = 0; c < kGridColumns; ++c)
      EXPECT_EQ(fields[c].isEmpty() ? kNoReading : fields[c].toInt(), data.grid[c][row]) << c << "," << row;
  }
}

// Reading an export back and saving it again gives the same bytes and time; lines that end in "\r\n",
// as a spreadsheet may save them, read the same.
TEST_F(Files, MeasurementsReadBackAsTheyWereSaved) {
  Measurements data = SampleMeasurements();
  data.takenAt = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9));
  ASSERT_EQ(SaveMeasurements(PathOf("a.csv"), data), std::nullopt);
  const QByteArray saved = Contents(PathOf("a.csv"));
  Write(PathOf("crlf.csv"), QByteArray(saved).replace("\n", "\r\n"));
  for (const char* name : {"a.csv", "crlf.csv"}) {
    const MeasurementsRead read = ReadMeasurements(PathOf(name));
    ASSERT_TRUE(read.data) << read.problem.toStdString();
    EXPECT_EQ(read.data->takenAt, data.takenAt);
    ASSERT_EQ(SaveMeasurements(PathOf("again.csv"), *read.data), std::nullopt);
    EXPECT_EQ(Contents(PathOf("again.csv")), saved) << name;
  }
}

// A file that is not exactly an export is refused with the file, the line (the header is line 1) and why.
// Each bad file is a good export changed in one place; pipes and devices are never opened; a file that
// exists but cannot be reached (a link loop, a name that is not UTF-8) is not called missing.
TEST_F(Files, MeasurementFilesThatAreNotExactlyAnExportAreRefused) {
  ASSERT_EQ(SaveMeasurements(PathOf("good.csv"), SampleMeasurements()), std::nullopt);  // range 5..40, 3..27
  const QByteArray good = Contents(PathOf("good.csv")), header = good.left(good.indexOf('\n'));
  // The good export with field (1-based) of line (1-based) replaced by text; field 0 replaces the line.
  const auto changed = [&good](int line, int field, const QByteArray& text) {
    QList<QByteArray> lines = good.split('\n');
    QList<QByteArray> fields = lines[line - 1].split(';');
    if (field > 0) fields[field - 1] = text;
    lines[line - 1] = field > 0 ? fields.join(';') : text;
    return lines.join('\n');
  };
  const auto header1 = [&](const char* from, const char* to) {
    return changed(1, 0, QByteArray(header).replace(from, to));
  };
  const auto writing = [](const QByteArray& data) { return [=](const QString& p) { return Write(p, data); }; };
  const char* notRegular = "das ist keine gewöhnliche Datei";
  const std::pair<std::function<QString(const QString&)>, const char*> cases[] = {
      {writing(changed(1, 0, header.mid(1))), "Zeile 1: keine Torvak-Messwertdatei."},
      {writing(header1("Spalten 5 bis 40", "Spalten 40 bis 5")), "Zeile 1: Kopfzeile beschädigt."},
      {writing(header1("Zeilen 3 bis", "Zeilen 03 bis")), "Zeile 1: Kopfzeile beschädigt."},
      {writing(header1("tur 23 ", "tur 256 ")), "Zeile 1: Kopfzeile beschädigt."},
      {writing(good.split('\n').mid(0, 21).join('\n')), "sie endet nach Zeile 21 (erwartet: 33 Zeilen)."},
      {writing(changed(7, 0, QByteArray(60, ';'))), "Zeile 7: 61 statt 62 Felder."},
      {writing(changed(7, 0, QByteArray(62, ';'))), "Zeile 7: 63 statt 62 Felder."},
      {writing(changed(7, 12, "0")), "Zeile 7, Feld 12: „0“ ist kein Messwert (1 bis 255)."},
      {writing(changed(33, 62, "256")), "Zeile 33, Feld 62: „256“ ist kein Messwert (1 bis 255)."},
      {writing(changed(2, 1, "-3")), "Zeile 2, Feld 1: „-3“ ist kein Messwert (1 bis 255)."},
      {writing(changed(7, 12, "12a")), "Zeile 7, Feld 12: „12a“ ist kein Messwert (1 bis 255)."},
      {writing(changed(7, 12, " 5")), "Zeile 7, Feld 12: „ 5“ ist kein Messwert (1 bis 255)."},
      {writing(changed(7, 12, "05")), "Zeile 7, Feld 12: „05“ ist kein Messwert (1 bis 255)."},
      {writing(good + "5\n"), "Zeile 34: nach der letzten Messwertzeile folgt noch etwas (erwartet: 33 Zeilen)."},
      {writing(good + "\n"), "Zeile 34: nach der letzten Messwertzeile folgt noch etwas (erwartet: 33 Zeilen)."},
      {writing(changed(7, 12, QByteArray("1\0", 2))), "sie enthält Nullbytes"},
      {writing(good + QByteArray(64 * 1024, '\n')), "sie ist zu groß"},
      {[](const QString& p) { return p; }, "sie fehlt."},
      {LinkLoop, "sie ist eine symbolische Verknüpfung, die im Kreis verweist."},
      {NotUtf8Name, "ihr Name enthält Bytes, die kein gültiges UTF-8 sind."},
      {[](const QString& p) { return QDir().mkdir(p) ? p : QString(); }, notRegular},
      {[](const QString& p) { return mkfifo(QFile::encodeName(p), 0600) ? QString() : p; }, notRegular},
      {[](const QString&) { return QStringLiteral("/dev/zero"); }, notRegular}};
  for (int n = 0; const auto& [make, reason] : cases) {
    const QString path = make(PathOf(std::to_string(n++) + ".csv"));
    const MeasurementsRead read = ReadMeasurements(path);
    const QString expected = QStringLiteral("Die Messwertdatei %1 lässt sich nicht öffnen: %2").arg(path, reason);
    EXPECT_TRUE(!read.data && read.problem.startsWith(expected)) << n << ": " << read.problem.toStdString();
  }
}

// A pipe in a file's place is refused at once, never waited on for a writer (which would hold
// the window's thread); a missing file gives the system's reason.
TEST(RegularFile, PipeIsRefusedWithoutWaitingAndAMissingFileSaysWhy) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe"), plain = dir.filePath("plain");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  auto opening = std::async(std::launch::async, [&] {
    QFile file;
    QString reason;
    return OpenRegularFile(pipe, file, reason);
  });
  if (opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "waited for a writer";
    ::close(::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK));  // lets it go
  }
  EXPECT_EQ(opening.get(), RegularFileOpen::kNotRegular);
  QFile file;
  QString reason;
  EXPECT_EQ(OpenRegularFile(plain, file, reason), RegularFileOpen::kFailed);
  EXPECT_FALSE(reason.isEmpty());
  QFile(plain).open(QIODevice::WriteOnly);
  EXPECT_EQ(OpenRegularFile(plain, file, reason), RegularFileOpen::kOpened);
  EXPECT_TRUE(file.isOpen());
}

}  // namespace
