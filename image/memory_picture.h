#pragma once
#include <cstdint>
#include <vector>

#include "image/colour.h"

// A picture in memory: 32-bit pixels, row by row from the top, so (x, y)
// is column x, row y from the top-left corner. Created black.
class MemoryPicture {
 public:
  MemoryPicture(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }

  Colour Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
  void SetPixel(int x, int y, Colour c) { pixels_[Index(x, y)] = c; }
  // Fills the rectangle, clipped to the picture.
  void FillRect(int x, int y, int width, int height, Colour c);
  void Fill(Colour c);

  // Direct access, row by row from the top (Width() pixels a row).
  Colour* Bits() { return pixels_.data(); }
  const Colour* Bits() const { return pixels_.data(); }
  Colour* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Colour* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<Colour> pixels_;
};
