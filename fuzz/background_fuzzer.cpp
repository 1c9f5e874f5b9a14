// Loads arbitrary files as the background picture. Beyond not crashing and
// not hanging (libFuzzer's -timeout), the surface must stay 640 x 480 of
// opaque pixels, be black after a refused file, and be black outside the
// picture after a shown one.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "image/display.h"
#include "overlay/background.h"

namespace {

constexpr Colour kOpaque = 0xff000000u;

// The size of the picture as Qt decodes it on its own, or an invalid size
// when it does not (a header's size can differ: a GIF's screen may be larger
// than its image).
QSize DecodedSize(const QByteArray& bytes) {
  const QImage picture = QImage::fromData(bytes);
  return picture.isNull() ? QSize() : picture.size();
}

// Left out of libFuzzer's comparison tracing, which would otherwise spend
// most of the run on these 307,200 pixels.
FUZZ_UNTRACED void CheckSurface(const MemoryPicture& surface, const BackgroundLoad& load, QSize decoded) {
  FUZZ_CHECK(surface.Width() == kPictureWidth && surface.Height() == kPictureHeight);
  // With no picture everything is black; with one, what lies beyond it.
  int width = kPictureWidth;
  int height = kPictureHeight;
  FUZZ_CHECK(load.shown || load.problem);
  FUZZ_CHECK(!load.problem || !load.problem->isEmpty());
  if (!load.shown) {
    width = height = 0;
  } else if (decoded.isValid()) {
    width = decoded.width();
    height = decoded.height();
  }
  for (int y = 0; y < kPictureHeight; ++y) {
    const Colour* row = surface.Row(y);
    for (int x = 0; x < kPictureWidth; ++x) {
      FUZZ_CHECK((row[x] & kOpaque) == kOpaque);
      if (x >= width || y >= height) FUZZ_CHECK(row[x] == kBlack);
    }
  }
}

// Untraced like CheckSurface.
FUZZ_UNTRACED void Whiten(MemoryPicture& surface) {
  std::fill_n(surface.Bits(), kPictureWidth * kPictureHeight, kWhite);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);  // image format plugins are found through it
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir folder;  // removed when the fuzzer exits
  static DisplayData display;   // made once: five pictures of 640 x 480
  FUZZ_CHECK(folder.isValid());
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  // Named like the real file; the loader must go by the content.
  const QString path = folder.filePath(QStringLiteral("Torvak.bmp"));
  QFile file(path);
  FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  FUZZ_CHECK(file.write(bytes) == bytes.size());
  file.close();

  Whiten(display.backgroundSurface);  // so that a surface left alone shows
  CheckSurface(display.backgroundSurface, LoadBackground(display, path), DecodedSize(bytes));
  return 0;
}
