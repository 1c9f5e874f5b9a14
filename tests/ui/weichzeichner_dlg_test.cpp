#include "ui/weichzeichner_dlg.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <numbers>

#include "image/colour.h"
#include "image/composer.h"
#include "image/display.h"
#include "image/smoothing_preview.h"
#include "image/thermal_image.h"

namespace {

void PressKey(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &release);
}

bool SameColours(const MemoryPicture& a, const MemoryPicture& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
}

class SmoothingDialogTest : public ::testing::Test {
 protected:
  // Runs the dialog the way "Edit" does; `whileOpen` acts in the open dialog and must close it.
  bool Run(const std::function<void()>& whileOpen) {
    QTimer::singleShot(0, &dialog, [this, whileOpen] {
      whileOpen();
      if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog was left open";
        dialog.reject();
      }
    });
    return ApplySmoothingSettings(dialog, image, display);
  }

  QSlider* Bar(const char* id) { return dialog.findChild<QSlider*>(QString::fromLatin1(id)); }
  QString Text(const char* id) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(id))->text(); }
  void Click(const char* id) { dialog.findChild<QPushButton*>(QString::fromLatin1(id))->click(); }

  // What the preview must show for these settings, drawn apart from the dialog.
  SmoothingPreview Expected(double halfWidth, int radius, int temperature) {
    SmoothingPreview expected;
    expected.Redraw(halfWidth, radius, image, temperature);
    return expected;
  }

  ThermalImage image;
  DisplayData display;
  CWeichzeichnerDlg dialog;
};

TEST_F(SmoothingDialogTest, StartSettingsOpenAtSixtyTwoHundredEightyAndCancelChangesNothing) {
  const bool applied = Run([this] {
    EXPECT_EQ(dialog.windowTitle(), "Weichzeichner-Einstellungen");
    for (const auto& [bar, position, maximum, edit, text] :
         {std::tuple{"1090", 60, 200, "1066", "0.6"}, std::tuple{"1093", 200, 480, "1067", "20"},
          std::tuple{"1095", 80, 200, "1069", "80"}}) {
      EXPECT_EQ(Bar(bar)->value(), position) << bar;
      EXPECT_EQ(Bar(bar)->maximum(), maximum) << bar;
      EXPECT_EQ(Text(edit), text) << edit;
      EXPECT_FALSE(dialog.findChild<QLineEdit*>(edit)->isEnabled()) << edit;
    }
    EXPECT_TRUE(Bar("1094")->isHidden());
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("1068")->isHidden());
    Bar("1090")->setValue(150);
    Bar("1093")->setValue(45);
    Click("2");
  });
  EXPECT_FALSE(applied);
  EXPECT_EQ(image.kernelHalfWidth, 0.6);
  EXPECT_EQ(image.kernelRadius, 20);
}

TEST_F(SmoothingDialogTest, EscapeAndCloseBoxCancelToo) {
  image.StoreReading(5, 10, 100);
  const MemoryPicture smoothedBefore = image.smoothedLeft;
  const auto layerMapBefore = display.layerMap;
  for (const auto& close : std::initializer_list<std::function<void()>>{
           [this] { PressKey(&dialog, Qt::Key_Escape); }, [this] { dialog.close(); }}) {
    EXPECT_FALSE(Run([this, &close] {
      Bar("1093")->setValue(45);
      close();
    }));
    EXPECT_EQ(image.kernelRadius, 20);
    EXPECT_TRUE(SameColours(image.smoothedLeft, smoothedBefore));
    EXPECT_EQ(display.layerMap, layerMapBefore);
  }
}

TEST_F(SmoothingDialogTest, MovingOnlyTemperatureResetsHalfWidthFromItsPositionAndRecoloursBoth) {
  image.kernelHalfWidth = 1.2345;  // between two trackbar steps
  EXPECT_FALSE(Run([this] {
    EXPECT_EQ(Text("1066"), "1.2345");
    EXPECT_EQ(Bar("1090")->value(), 123);
    Bar("1095")->setValue(30);
    EXPECT_EQ(Text("1066"), "1.23");
    EXPECT_EQ(Text("1067"), "20");
    EXPECT_EQ(Text("1069"), "30");
    EXPECT_EQ(dialog.Preview().measuredPreview.Pixel(50, 50), Rgb(0, 204, 51));
    const SmoothingPreview expected = Expected(1.23, 20, 30);
    EXPECT_TRUE(SameColours(dialog.Preview().smoothedPreview, expected.smoothedPreview));
    Click("2");
  }));
}

TEST_F(SmoothingDialogTest, TemperatureStepsAcrossTheScaleLimitsSwitchToBlackAndWhite) {
  EXPECT_FALSE(Run([this] {
    const MemoryPicture& measured = dialog.Preview().measuredPreview;
    Bar("1095")->setValue(9);
    EXPECT_EQ(measured.Pixel(30, 30), kBlack);
    EXPECT_EQ(dialog.Preview().smoothedPreview.Pixel(50, 50), kBlack);
    PressKey(Bar("1095"), Qt::Key_Right);
    EXPECT_EQ(Text("1069"), "10");
    EXPECT_EQ(measured.Pixel(30, 30), Rgb(0, 0, 255));
    Bar("1095")->setValue(161);
    EXPECT_EQ(measured.Pixel(69, 69), kWhite);
    EXPECT_EQ(dialog.Preview().smoothedPreview.Pixel(50, 50), kWhite);
    PressKey(Bar("1095"), Qt::Key_Left);
    EXPECT_EQ(measured.Pixel(69, 69), Rgb(128, 0, 128));
    Click("2");
  }));
}

TEST_F(SmoothingDialogTest, RadiusBelowOneGivesAnAllBlackSmoothedPreview) {
  EXPECT_FALSE(Run([this] {
    Bar("1095")->setValue(200);
    Bar("1093")->setValue(9);
    EXPECT_EQ(Text("1067"), "0.9");
    const MemoryPicture& smoothed = dialog.Preview().smoothedPreview;
    for (int x = 0; x < kPreviewSize; ++x) {
      for (int y = 0; y < kPreviewSize; ++y) {
        ASSERT_EQ(smoothed.Pixel(x, y), kBlack) << x << ", " << y;
      }
    }
    PressKey(Bar("1093"), Qt::Key_Right);  // radius 1: each cell keeps its own centre pixel
    EXPECT_EQ(Text("1067"), "1");
    EXPECT_EQ(smoothed.Pixel(50, 50), image.ScaleColour(static_cast<int>(200 / (6.28318530718 * 0.36))));
    Click("2");
  }));
}

TEST_F(SmoothingDialogTest, HalfWidthZeroPreviewsAndAppliesAsTheSmallestStep) {
  EXPECT_TRUE(Run([this] {
    Bar("1090")->setValue(0);
    EXPECT_EQ(Text("1066"), "0");
    // All the weight on the cell centres: far above the scale there, nothing between.
    EXPECT_EQ(dialog.Preview().smoothedPreview.Pixel(50, 50), kWhite);
    EXPECT_EQ(dialog.Preview().smoothedPreview.Pixel(54, 54), kBlack);
    Click("1");
  }));
  EXPECT_EQ(image.kernelHalfWidth, 0.0);
  // The centre weight of a half-width of 0.01: 1 / (2 pi 0.01^2).
  EXPECT_NEAR(image.Weight(0, 0), 1.0 / (2.0 * std::numbers::pi * 1e-4), 1e-6);
  image.StoreReading(5, 10, 50);
  EXPECT_EQ(image.smoothedLeft.Pixel(20 + 8 * 5, 20 + 8 * 21), kWhite);
}

TEST_F(SmoothingDialogTest, EnterAppliesTruncatedRadiusAndRebuildsPicturesAndLayerMap) {
  SetDisplayMode(display, image, kSmoothed);
  image.StoreReading(5, 10, 100);
  image.StoreReading(40, 3, 60);
  const auto layerMapBefore = display.layerMap;

  EXPECT_TRUE(Run([this] {
    Bar("1090")->setValue(125);
    Bar("1093")->setValue(45);
    EXPECT_EQ(Text("1067"), "4.5");
    PressKey(&dialog, Qt::Key_Return);
  }));
  EXPECT_EQ(image.kernelHalfWidth, 1.25);
  EXPECT_EQ(image.kernelRadius, 4);

  // The same readings stored into an image that had these settings from the start.
  ThermalImage reference;
  reference.kernelHalfWidth = 1.25;
  reference.kernelRadius = 4;
  reference.ComputeKernel();
  reference.StoreReading(5, 10, 100);
  reference.StoreReading(40, 3, 60);
  EXPECT_TRUE(SameColours(image.smoothedLeft, reference.smoothedLeft));
  EXPECT_TRUE(SameColours(image.smoothedRight, reference.smoothedRight));
  DisplayData referenceDisplay;
  SetDisplayMode(referenceDisplay, reference, kSmoothed);
  ASSERT_NE(referenceDisplay.layerMap, layerMapBefore);  // the margin follows the radius
  EXPECT_EQ(display.layerMap, referenceDisplay.layerMap);
}

TEST_F(SmoothingDialogTest, NextRunOpensWithTheAppliedSettingsAndTemperatureEighty) {
  EXPECT_TRUE(Run([this] {
    Bar("1090")->setValue(29);
    Bar("1093")->setValue(45);
    Bar("1095")->setValue(150);
    Click("1");
  }));
  EXPECT_EQ(image.kernelHalfWidth, 0.29);
  EXPECT_FALSE(Run([this] {
    EXPECT_EQ(Bar("1090")->value(), 29);  // 0.29 * 100 lies just below 29
    EXPECT_EQ(Bar("1093")->value(), 40);
    EXPECT_EQ(Bar("1095")->value(), 80);
    Bar("1095")->setValue(81);
    EXPECT_EQ(Text("1066"), "0.29");
    EXPECT_EQ(Text("1067"), "4");
    Click("2");
  }));
}

TEST_F(SmoothingDialogTest, PreviewsArePaintedAtThePlaceholdersClearOfEveryCaptionThatFits) {
  dialog.Prepare(image);
  const QImage shown = dialog.grab().toImage();
  const QPoint measuredCorner = dialog.findChild<QLabel*>("1091")->pos();
  const QPoint smoothedCorner = dialog.findChild<QLabel*>("1092")->pos();
  const SmoothingPreview expected = Expected(0.6, 20, 80);
  for (const QPoint offset : {QPoint(0, 0), QPoint(30, 30), QPoint(50, 50), QPoint(69, 40), QPoint(99, 99)}) {
    EXPECT_EQ(shown.pixel(measuredCorner + offset), expected.measuredPreview.Pixel(offset.x(), offset.y()));
    EXPECT_EQ(shown.pixel(smoothedCorner + offset), expected.smoothedPreview.Pixel(offset.x(), offset.y()));
  }

  const QRect pictures[] = {{measuredCorner, QSize(100, 100)}, {smoothedCorner, QSize(100, 100)}};
  EXPECT_FALSE(pictures[0].intersects(pictures[1]));
  for (QWidget* control : dialog.findChildren<QWidget*>()) {
    if (control->isHidden() || control->objectName() == "1091" || control->objectName() == "1092") {
      continue;
    }
    for (const QRect& picture : pictures) {
      EXPECT_TRUE(dialog.rect().contains(picture));
      EXPECT_FALSE(picture.intersects(control->geometry())) << control->objectName().toStdString();
    }
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
    if (auto* button = qobject_cast<QPushButton*>(control)) caption = button->text();
    const QFontMetrics metrics(control->font());
    EXPECT_LE(metrics.horizontalAdvance(caption), control->width()) << caption.toStdString();
    EXPECT_LE(metrics.height(), control->height()) << caption.toStdString();
  }
}

}  // namespace
