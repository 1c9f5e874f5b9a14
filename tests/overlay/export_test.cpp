#include "overlay/export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <utility>
#include <vector>

namespace {

Colour CompositeColour(int x, int y, int seed) { return Rgb(x & 0xff, y & 0xff, ((x >> 8) << 6) + seed); }
QRgb StripColour(int x, int y) { return qRgb(200 - x, y & 0xff, 100 + (y >> 8)); }

MemoryPicture Composite(int seed) {
  MemoryPicture picture(kPictureWidth, kPictureHeight);
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      picture.SetPixel(x, y, CompositeColour(x, y, seed));
    }
  }
  return picture;
}

// The strip as a window grabs it, at the given pixel ratio.
QImage Strip(int ratio = 1) {
  QImage strip(kStripWidth * ratio, kPictureHeight * ratio, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < strip.height(); ++y) {
    for (int x = 0; x < strip.width(); ++x) {
      strip.setPixel(x, y, StripColour(x / ratio, y / ratio));
    }
  }
  strip.setDevicePixelRatio(ratio);
  return strip;
}

QImage Screenshot(int seed) { return AssembleScreenshot(Composite(seed), Strip()); }

// Pixels of a saved screenshot that are not composite(seed) | strip.
int Mismatches(const QImage& saved, int seed) {
  if (saved.size() != QSize(kExportWidth, kExportHeight)) {
    return -1;
  }
  int wrong = 0;
  for (int y = 0; y < kExportHeight; ++y) {
    for (int x = 0; x < kExportWidth; ++x) {
      const QRgb expected =
          x < kPictureWidth ? CompositeColour(x, y, seed) : StripColour(x - kPictureWidth, y);
      wrong += (saved.pixel(x, y) | 0xff000000u) != expected;
    }
  }
  return wrong;
}

class ExportFiles : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir.filePath(name); }
  QStringList Entries() const {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QString WriteFile(const QString& name, const QByteArray& content) const {
    QFile file(PathOf(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
  }

  QTemporaryDir dir;
};

TEST_F(ExportFiles, SavedBitmapHoldsCompositeLeftAndStripRight) {
  const QString path = PathOf(QStringLiteral("shot.bmp"));
  EXPECT_EQ(SaveImageFile(path, Screenshot(0)), std::nullopt);
  EXPECT_TRUE(Contents(path).startsWith("BM"));
  EXPECT_EQ(Mismatches(QImage(path), 0), 0);
}

TEST(Screenshot, StripGrabbedAtDoublePixelRatioFillsItsPlace) {
  EXPECT_EQ(Mismatches(AssembleScreenshot(Composite(0), Strip(2)), 0), 0);
}

TEST_F(ExportFiles, ExtensionInAnyCaseChoosesTheFormat) {
  const struct {
    const char* name;
    QByteArray magic;
  } cases[] = {
      {"shot.PNG", "\x89PNG"}, {"shot.Bmp", "BM"}, {"shot.JPG", "\xff\xd8\xff"}, {"s.jpeg", "\xff\xd8\xff"}};
  for (const auto& c : cases) {
    const QString path = PathOf(QString::fromLatin1(c.name));
    EXPECT_EQ(SaveImageFile(path, Screenshot(0)), std::nullopt) << c.name;
    EXPECT_TRUE(Contents(path).startsWith(c.magic)) << c.name;
  }
  EXPECT_EQ(Mismatches(QImage(PathOf(QStringLiteral("shot.PNG"))), 0), 0);
}

TEST_F(ExportFiles, TwoExportsInARowAreBothRightAndAThirdReplacesTheFirst) {
  const QString first = PathOf(QStringLiteral("first.png"));
  const QString second = PathOf(QStringLiteral("second.png"));
  EXPECT_EQ(SaveImageFile(first, Screenshot(1)), std::nullopt);
  EXPECT_EQ(SaveImageFile(second, Screenshot(2)), std::nullopt);
  EXPECT_EQ(Mismatches(QImage(first), 1), 0);
  EXPECT_EQ(Mismatches(QImage(second), 2), 0);

  EXPECT_EQ(SaveImageFile(first, Screenshot(3)), std::nullopt);
  EXPECT_EQ(Mismatches(QImage(first), 3), 0);
  EXPECT_EQ(Entries(), (QStringList{QStringLiteral("first.png"), QStringLiteral("second.png")}));
}

TEST_F(ExportFiles, NameWithoutAFormatWritesNothingAndSaysSo) {
  for (const char* name : {"shot.xyz", "shot", "shot.csv.txt"}) {
    const QString path = PathOf(QString::fromLatin1(name));
    const auto message = SaveImageFile(path, Screenshot(0));
    ASSERT_TRUE(message.has_value()) << name;
    EXPECT_TRUE(message->contains(path)) << message->toStdString();
  }
  EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
  EXPECT_TRUE(SaveImageFile(QString(), Screenshot(0)).has_value());
}

// Measurements with a distinct value in every cell and some cells without
// a reading.
Measurements SampleMeasurements() {
  std::int32_t grid[kGridColumns][kGridRows];
  for (int column = 0; column < kGridColumns; ++column) {
    for (int row = 0; row < kGridRows; ++row) {
      grid[column][row] = (column + 3 * row) % 7 == 0 ? kNoReading : 1 + (column * kGridRows + row) % 255;
    }
  }
  return TakeMeasurements(grid, 23, ScanRange{5, 40, 3, 27});
}

TEST_F(ExportFiles, WriteFailingOnTheWayLeavesTheExistingFileIntact) {
  const QString picture = WriteFile(QStringLiteral("shot.png"), "old picture");
  const QString values = WriteFile(QStringLiteral("werte.csv"), "old values");
  QImage noise(kExportWidth, kExportHeight, QImage::Format_RGB32);  // does not compress below the limit
  QRandomGenerator random(7);
  random.fillRange(reinterpret_cast<quint32*>(noise.bits()), noise.sizeInBytes() / 4);

  // Writes past 1 KiB fail (EFBIG, named as too large) even for root, midway through the file.
  const auto oldAction = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
  rlimit limit = oldLimit;
  limit.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto pictureMessage = SaveImageFile(picture, noise);
  const auto valuesMessage = SaveExport(values, noise, SampleMeasurements());
  setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldAction);

  for (const auto& [path, message] : {std::pair(picture, pictureMessage), std::pair(values, valuesMessage)}) {
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains(path) && message->contains(QStringLiteral("zu groß")))
        << message->toStdString();
  }
  EXPECT_EQ(Contents(picture), "old picture");
  EXPECT_EQ(Contents(values), "old values");
  EXPECT_EQ(Entries(), (QStringList{QStringLiteral("shot.png"), QStringLiteral("werte.csv")}));
}

TEST_F(ExportFiles, PathBelowARegularFileFailsAndSaysSo) {
  const QString file = WriteFile(QStringLiteral("notes.txt"), "keep");
  for (const char* name : {"notes.txt/shot.png", "notes.txt/werte.csv"}) {
    const QString path = PathOf(QString::fromLatin1(name));
    const auto message = SaveExport(path, Screenshot(0), SampleMeasurements());
    ASSERT_TRUE(message.has_value()) << name;
    EXPECT_TRUE(message->contains(path)) << message->toStdString();
  }
  EXPECT_EQ(Contents(file), "keep");
}

TEST_F(ExportFiles, DevicesFoldersAndPipesAreRefusedAndLeftAsTheyWere) {
  struct Node {
    QString name;
    mode_t type;
  };
  std::vector<Node> nodes{{QStringLiteral("folder.png"), S_IFDIR}, {QStringLiteral("pipe.csv"), S_IFIFO}};
  ASSERT_TRUE(QDir(dir.path()).mkdir(nodes[0].name));
  ASSERT_EQ(mkfifo(QFile::encodeName(PathOf(nodes[1].name)).constData(), 0600), 0);
  // A node of our own that works like /dev/null, where the system allows making one.
  const QByteArray devicePath = QFile::encodeName(PathOf(QStringLiteral("null.bmp")));
  if (mknod(devicePath.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
    nodes.push_back({QStringLiteral("null.bmp"), S_IFCHR});
  }
  for (const Node& node : nodes) {
    const QString path = PathOf(node.name);
    const auto message = SaveExport(path, Screenshot(0), SampleMeasurements());
    ASSERT_TRUE(message.has_value()) << node.name.toStdString();
    EXPECT_TRUE(message->contains(path)) << message->toStdString();
    struct stat status {};
    ASSERT_EQ(lstat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & S_IFMT, node.type) << node.name.toStdString();
  }
  EXPECT_EQ(Entries().size(), static_cast<qsizetype>(nodes.size()));
}

TEST_F(ExportFiles, MeasurementsRoundTripTheGridWithRowsFromTheTop) {
  Measurements data = SampleMeasurements();
  data.takenAt = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9));
  const QString path = PathOf(QStringLiteral("werte.CSV"));  // the extension picks the values, any case

  EXPECT_EQ(SaveExport(path, Screenshot(0), data), std::nullopt);

  const QList<QByteArray> lines = Contents(path).split('\n');
  ASSERT_EQ(lines.size(), 1 + kGridRows + 1);  // comment, rows, nothing after the last line break
  EXPECT_TRUE(lines.back().isEmpty());
  const QString comment = QString::fromUtf8(lines[0]);
  EXPECT_TRUE(comment.startsWith('#'));
  EXPECT_TRUE(comment.contains(QStringLiteral("07.03.2024")) && comment.contains(QStringLiteral("14:05:09")))
      << lines[0].toStdString();
  const QRegularExpression ambientThenRange(QStringLiteral("\\b23\\b.*\\b5\\b.*\\b40\\b.*\\b3\\b.*\\b27\\b"));
  EXPECT_TRUE(comment.contains(ambientThenRange)) << lines[0].toStdString();
  for (int row = 0; row < kGridRows; ++row) {
    const QList<QByteArray> fields = lines[kGridRows - row].split(';');
    ASSERT_EQ(fields.size(), kGridColumns) << "row " << row;
    for (int column = 0; column < kGridColumns; ++column) {
      const int value = fields[column].isEmpty() ? kNoReading : fields[column].toInt();
      EXPECT_EQ(value, data.grid[column][row]) << column << ", " << row;
    }
  }
}

}  // namespace
