#pragma once
#include "image/cell_reading.h"
#include "image/scan_range.h"

// Where the scan's results go: the thermal image, either directly
// (the fuzzer's ThermalImageSink) or, from the scan's worker thread, by way of the
// window's thread.
class ImageSink {
 public:
  virtual ~ImageSink() = default;
  // A reading (1..255) for a grid cell.
  virtual void StoreReading(const CellReading& reading) = 0;
  // The image's copy of the accepted scan range.
  virtual void SetScanRange(const ScanRange& range) = 0;
  virtual void SetAmbientTemperature(int celsius) = 0;
};
