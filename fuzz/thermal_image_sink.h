#pragma once
#include "image/thermal_image.h"
#include "scan/image_sink.h"

// Hands the scan's results straight to a thermal image on the same thread.
class ThermalImageSink : public ImageSink {
 public:
  explicit ThermalImageSink(ThermalImage& image) : image_(image) {}
  void StoreReading(int column, int row, int value, bool) override { image_.StoreReading(column, row, value); }
  void SetScanRange(const ScanRange& r) override {
    image_.range = r;
  }
  void SetAmbientTemperature(int celsius) override { image_.ambientTemperature = celsius; }

 private:
  ThermalImage& image_;
};
