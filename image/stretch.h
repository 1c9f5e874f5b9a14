#pragma once

#include "image/memory_picture.h"

// A rectangle of a picture: top-left corner and size in pixels.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Source offset (0..srcSize-1) that destination offset d (0..dstSize-1) shows:
// floor(d * srcSize / dstSize). The one pixel mapping of every stretch.
int StretchSource(int d, int srcSize, int dstSize);

// Nearest-neighbour copy of `from` in `source` onto `to` in `target`: an
// enlargement replicates pixels, a reduction picks pixels and never blends, so
// every colour written is a colour of the source. Pixels that fall outside
// either picture are skipped; an empty rectangle copies nothing.
void StretchPicture(const MemoryPicture& source, const PixelRect& from, MemoryPicture& target,
                    const PixelRect& to);
