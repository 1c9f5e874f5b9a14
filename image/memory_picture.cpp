#include "image/memory_picture.h"

#include <algorithm>

MemoryPicture::MemoryPicture(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, kBlack) {}

void MemoryPicture::FillRect(int x, int y, int width, int height, Colour c) {
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = std::min(x + width, width_);
  const int y1 = std::min(y + height, height_);
  for (int row = y0; row < y1; ++row) {
    std::fill(Row(row) + x0, Row(row) + std::max(x0, x1), c);
  }
}

void MemoryPicture::Fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), c); }
