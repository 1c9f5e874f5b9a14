#pragma once
#include "image/thermal_image.h"
#include "scan/image_sink.h"

// Hands the scan's results straight to a thermal image on the same thread.
class ThermalImageSink : public ImageSink {
 public:
  explicit ThermalImageSink(ThermalImage& image) : image_(image) {}
  void StoreReading(const CellReading& r) override { image_.StoreReading(r.column, r.row, r.value); }
  void SetScanRange(const ScanRange& r) override { image_.SetRange(r); }
  void SetAmbientTemperature(int celsius) override { image_.SetAmbient(celsius); }

 private:
  ThermalImage& image_;
};
