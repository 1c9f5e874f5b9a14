#include "overlay/background.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <memory>
#include <ostream>
#include <utility>

#include "image/display.h"

namespace {

// A colour that tells every pixel of a picture up to 4095 x 4095 apart, so a
// shifted, scaled or stale pixel shows.
Colour PatternColour(int x, int y, int seed = 0) {
  return Rgb(x & 0xff, y & 0xff, (((x >> 8) << 4) | (y >> 8)) ^ seed);
}

QImage Pattern(int width, int height, int seed = 0) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, PatternColour(x, y, seed));
    }
  }
  return picture;
}

// Pixels of the surface that differ from the pattern of a width x height
// picture at its top-left, black elsewhere.
int Mismatches(const MemoryPicture& surface, int width, int height, int seed = 0) {
  int wrong = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      const Colour expected = x < width && y < height ? PatternColour(x, y, seed) : kBlack;
      wrong += surface.Pixel(x, y) != expected;
    }
  }
  return wrong;
}

int NonBlack(const MemoryPicture& surface) { return Mismatches(surface, 0, 0); }

QString Written(const QString& path, const QByteArray& content) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
  return path;
}

class BackgroundFile : public ::testing::Test {
 protected:
  QString Save(const QImage& picture, const char* format = "BMP") const {
    EXPECT_TRUE(picture.save(path, format));
    return path;
  }

  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("Torvak.bmp"));
  DisplayData display;
};

TEST_F(BackgroundFile, PictureShowsItsTopLeftUnscaledInBackgroundAndCompositeAndTheRestBlack) {
  const struct {
    int width, height, seed;
  } sizes[] = {{640, 480, 1}, {1280, 960, 2}, {200, 100, 3}};  // the small one after larger ones
  for (const auto& s : sizes) {
    EXPECT_EQ(ShowBackground(display, Save(Pattern(s.width, s.height, s.seed))).problem, std::nullopt);
    EXPECT_EQ(Mismatches(display.backgroundSurface, s.width, s.height, s.seed), 0) << s.width;
    EXPECT_EQ(Mismatches(display.compositeSurface, s.width, s.height, s.seed), 0) << s.width;
  }
}

TEST_F(BackgroundFile, ClearingGivesBlackAndShowingAgainReadsTheReplacedFile) {
  ShowBackground(display, Save(Pattern(640, 480)));
  ClearBackground(display);
  EXPECT_EQ(NonBlack(display.backgroundSurface), 0);
  EXPECT_EQ(NonBlack(display.compositeSurface), 0);

  Save(Pattern(640, 480, 0xaa));
  ShowBackground(display, path);
  EXPECT_EQ(Mismatches(display.compositeSurface, 640, 480, 0xaa), 0);
}

TEST_F(BackgroundFile, PngAndJpegUnderTheBitmapNameLoad) {
  EXPECT_EQ(LoadBackground(display, Save(Pattern(300, 200), "PNG")).problem, std::nullopt);
  EXPECT_EQ(Mismatches(display.backgroundSurface, 300, 200), 0);

  QImage orange(640, 480, QImage::Format_RGB32);
  orange.fill(qRgb(250, 120, 30));
  EXPECT_EQ(LoadBackground(display, Save(orange, "JPEG")).problem, std::nullopt);
  const Colour c = display.backgroundSurface.Pixel(320, 240);  // lossy: close, not equal
  EXPECT_NEAR(Red(c), 250, 6);
  EXPECT_NEAR(Green(c), 120, 6);
  EXPECT_NEAR(Blue(c), 30, 6);
}

TEST_F(BackgroundFile, TruncatedFileShowsTheRowsItHasAndSaysItIsIncomplete) {
  // Bitmaps store the bottom row first: cutting the pixels in half keeps
  // the lower 240 rows.
  Save(Pattern(640, 480));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  const qint64 pixelsAt = qFromLittleEndian<qint32>(file.read(14).constData() + 10);
  ASSERT_TRUE(file.resize(pixelsAt + (file.size() - pixelsAt) / 2));
  display.backgroundSurface.Fill(kWhite);
  for (int i = 0; i < 3; ++i) {  // leaves white freed memory behind for the reader's picture
    QImage(640, 480, QImage::Format_RGB32).fill(Qt::white);
  }

  const BackgroundLoad load = LoadBackground(display, path);

  EXPECT_TRUE(load.shown);
  EXPECT_EQ(load.problem,
            QStringLiteral("Hintergrundbild %1 ist unvollständig – fehlende Zeilen schwarz").arg(path));
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      wrong += display.backgroundSurface.Pixel(x, y) != (y >= 240 ? PatternColour(x, y) : kBlack);
    }
  }
  EXPECT_EQ(wrong, 0);

  // A JPEG decoder fills the missing rows grey itself; a PNG keeps its top
  // rows, though its reader fails. Noise, so that the cut falls after the first rows.
  QImage noise(640, 480, QImage::Format_RGB32);
  QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.bits()), noise.sizeInBytes() / 4);
  for (const auto& [format, says] : {std::pair("JPEG", "ist unvollständig"),
                                     std::pair("PNG", "ist unvollständig – fehlende Zeilen schwarz")}) {
    Save(noise, format);
    ASSERT_TRUE(QFile::resize(path, QFileInfo(path).size() / 2));
    const BackgroundLoad cut = LoadBackground(display, path);
    EXPECT_TRUE(cut.shown) << format;
    EXPECT_EQ(cut.problem, QStringLiteral("Hintergrundbild %1 %2").arg(path, QString::fromUtf8(says)));
  }
  EXPECT_EQ(display.backgroundSurface.Pixel(5, 0), noise.pixel(5, 0));  // of the PNG
}

TEST(BackgroundPath, TemporaryFolderUnlessTheSettingNamesAFile) {
  QTemporaryDir tmp;
  const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
  const QByteArray oldTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", tmp.path().toUtf8());
  EXPECT_EQ(BackgroundPath(), QDir(tmp.path()).filePath(QStringLiteral("Torvak.bmp")));

  QSettings settings(QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"),
                     QStringLiteral("Torvak"));
  settings.setValue(QStringLiteral("SETTINGS/BACKGROUND"), QStringLiteral("/srv/webcam/still.png"));
  settings.sync();
  EXPECT_EQ(BackgroundPath(), QStringLiteral("/srv/webcam/still.png"));

  settings.remove(QStringLiteral("SETTINGS/BACKGROUND"));
  if (hadTmp) {
    qputenv("TMPDIR", oldTmp);
  } else {
    qunsetenv("TMPDIR");
  }
}

// A bitmap header that claims a width x height picture of 24 bits, followed
// by a few bytes of pixels.
QByteArray BitmapHeader(qint32 width, qint32 height) {
  QByteArray bytes(54 + 64, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  qToLittleEndian<qint32>(bytes.size(), bytes.data() + 2);
  qToLittleEndian<qint32>(54, bytes.data() + 10);  // where the pixels start
  qToLittleEndian<qint32>(40, bytes.data() + 14);  // size of the info header
  qToLittleEndian(width, bytes.data() + 18);
  qToLittleEndian(height, bytes.data() + 22);
  bytes[26] = 1;   // planes
  bytes[28] = 24;  // bits per pixel
  return bytes;
}

// A small JPEG whose frame header is changed to claim width x height.
QByteArray JpegClaiming(quint16 width, quint16 height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(Pattern(16, 16).save(&buffer, "JPEG"));
  const qsizetype frame = bytes.indexOf("\xff\xc0");  // marker, length, precision, height, width
  EXPECT_GT(frame, 0);
  qToBigEndian(height, bytes.data() + frame + 5);
  qToBigEndian(width, bytes.data() + frame + 7);
  return bytes;
}

// A bad background file: how to make it from the path in a fresh folder,
// and words the message must use.
struct BadFile {
  const char* name;
  std::function<QString(const QString& path)> make;
  const char* reason;
};

void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }

class BadBackgroundFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadBackgroundFile, GivesBlackAndAMessageNamingFileAndReason) {
  QTemporaryDir dir;
  const QString path = GetParam().make(dir.filePath(QStringLiteral("Torvak.bmp")));
  auto display = std::make_unique<DisplayData>();
  display->backgroundSurface.Fill(kWhite);
  display->compositeSurface.Fill(kWhite);

  const auto [shown, message] = ShowBackground(*display, path);

  EXPECT_FALSE(shown);
  ASSERT_TRUE(message.has_value());
  EXPECT_TRUE(message->contains(path)) << message->toStdString();
  EXPECT_TRUE(message->contains(QString::fromUtf8(GetParam().reason))) << message->toStdString();
  EXPECT_EQ(NonBlack(display->backgroundSurface), 0);
  EXPECT_EQ(NonBlack(display->compositeSurface), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadBackgroundFile,
    ::testing::Values(
        BadFile{"Missing", [](const QString& p) { return p; }, "fehlt"},
        BadFile{"Empty", [](const QString& p) { return Written(p, {}); }, "leer"},
        BadFile{"Text", [](const QString& p) { return Written(p, "kein Bild\n"); }, "kein lesbares Bild"},
        BadFile{"CutInsideHeader",
                [](const QString& p) { return Written(p, BitmapHeader(640, 480).left(30)); },
                "kein lesbares Bild"},
        BadFile{"BitmapClaimsHugePicture",  // refused by Qt's reader itself, with its own reason
                [](const QString& p) { return Written(p, BitmapHeader(60000, 60000)); }, ""},
        BadFile{"JpegClaimsHugePicture",
                [](const QString& p) { return Written(p, JpegClaiming(60000, 60000)); }, "zu groß"},
        BadFile{"Directory",
                [](const QString& p) {
                  EXPECT_TRUE(QDir().mkdir(p));
                  return p;
                },
                "keine gewöhnliche Datei"},
        BadFile{"Fifo",  // opening it for reading would wait for a writer forever
                [](const QString& p) {
                  EXPECT_EQ(mkfifo(QFile::encodeName(p).constData(), 0600), 0);
                  return p;
                },
                "keine gewöhnliche Datei"},
        BadFile{"EndlessDevice", [](const QString&) { return QStringLiteral("/dev/zero"); },
                "keine gewöhnliche Datei"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
