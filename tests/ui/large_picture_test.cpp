// The pictures on screen. "Großbild": opened by F11, its full screen left by F11 and Esc; the picture area's pixels
// scaled, not blurred (each pixel shown is one of the picture's, also at a device pixel ratio of
// 2: see tests/CMakeLists.txt); the temperature under the mouse as the picture area reads it at
// the same place; painted anew with the picture area.
#include "window_fixture.h"

#include <cmath>

#include "ui/large_picture_window.h"
#include "ui/marker_colours.h"

TEST_F(WindowTest, LargePictureShowsThePictureScaledReadsLikeItAndFollowsIt) {
  CTorvakDlg& window = Open();
  for (int i = 0; i < kGridColumns * kGridRows; ++i) Store(i / kGridRows, i % kGridRows, 10 + i % 150);
  QTest::keyClick(&window, Qt::Key_F11);
  auto* large = window.findChild<LargePictureWindow*>();
  ASSERT_TRUE(large != nullptr && large->isFullScreen());
  QTest::keyClick(large, Qt::Key_F11);
  EXPECT_FALSE(large->isFullScreen());
  large->showFullScreen();
  QTest::keyClick(large, Qt::Key_Escape);
  EXPECT_TRUE(!large->isFullScreen() && large->isVisible());
  large->resize(1000, 700);

  const QImage composite = PaintPicture(), shown = large->grab().toImage();
  const double ratio = shown.devicePixelRatio();
  const QRectF picture(QRectF(large->PictureRect()).topLeft() * ratio, QSizeF(large->PictureRect().size()) * ratio);
  int wrong = 0, checked = 0;
  for (int y = static_cast<int>(picture.top()); y < picture.bottom(); y += 7) {
    for (int x = static_cast<int>(picture.left()); x < picture.right(); x += 7, ++checked) {
      const int px = static_cast<int>((x - picture.left() + 0.5) * kPictureWidth / picture.width());
      const int py = static_cast<int>((y - picture.top() + 0.5) * kPictureHeight / picture.height());
      bool found = false;  // the picture's pixel there, or a neighbour's where rounding differs
      for (int n = 0; n < 9 && !found; ++n)
        found = composite.valid(px + n % 3 - 1, py + n / 3 - 1) &&
                shown.pixel(x, y) == composite.pixel(px + n % 3 - 1, py + n / 3 - 1);
      wrong += !found;
    }
  }
  EXPECT_TRUE(checked > 1000 && wrong == 0) << wrong << " of " << checked;

  const QRect place = large->PictureRect();
  const QPoint over(place.left() + place.width() / 4, place.center().y());  // over the left picture
  QMouseEvent move(QEvent::MouseMove, over, large->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(large, &move);  // both windows lie at the same place offscreen
  const Area& area = window.Layout().pictureArea;
  QTest::mouseMove(&window, QPoint(area.left + (over.x() - place.left()) * kPictureWidth / place.width(),
                                   area.top + (over.y() - place.top()) * kPictureHeight / place.height()));
  EXPECT_FALSE(large->MouseText().isEmpty());
  EXPECT_EQ(large->MouseText(), window.ControlAs<QLineEdit>(ctl::kMouseField)->text());

  window.Model().AddPoint({40, 13});  // its number in its colour beside the scale
  const QRect beside(large->ScaleRect().topRight() + QPoint(1, 0), QSize(large->width() - large->ScaleRect().right() - 1, 80));
  const QImage side = large->grab(beside).toImage().convertToFormat(QImage::Format_RGB32);
  int marked = 0;
  for (int y = 0; y < side.height(); ++y)
    for (int x = 0; x < side.width(); ++x) marked += side.pixelColor(x, y) == MarkerColour(0);
  EXPECT_GT(marked, 5);

  large->installEventFilter(this);  // counts its paints too
  QCoreApplication::processEvents();
  const int paints = picturePaints_;
  Store(0, 0, 20);
  EXPECT_TRUE(WaitFor([&] { return picturePaints_ >= paints + 2; }));
}

// The picture area shows the composed picture pixel for pixel at any pixel density: each device
// pixel is the picture's pixel under it, never a blend.
TEST_F(WindowTest, MainPictureIsShownPixelForPixelAtAnyDensity) {
  CTorvakDlg& window = Open();
  for (int i = 0; i < kGridColumns * kGridRows; ++i) Store(i / kGridRows, i % kGridRows, 10 + i % 150);
  const QImage composite = PaintPicture();
  const QImage shown = window.grab(ToRect(window.Layout().pictureArea)).toImage().convertToFormat(QImage::Format_RGB32);
  const double ratio = shown.devicePixelRatio();
  int wrong = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      wrong += shown.pixel(x, y) != composite.pixel(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
  EXPECT_TRUE(shown.width() == static_cast<int>(kPictureWidth * ratio) && wrong == 0) << wrong;
}
