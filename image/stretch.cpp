#include "image/stretch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

int StretchSource(int d, int srcSize, int dstSize) {
  return static_cast<int>(static_cast<std::int64_t>(d) * srcSize / dstSize);
}

namespace {

// The destination pixels [begin, end) along one axis whose source pixel lies
// inside 0..sourceLimit-1; the mapping is monotone, so trimming both ends is enough.
struct Span {
  int begin;
  int end;
};

Span VisibleSpan(int srcStart, int srcSize, int sourceLimit, int dstStart, int dstSize, int targetLimit) {
  Span span{std::max(dstStart, 0), std::min(dstStart + dstSize, targetLimit)};
  const auto source = [&](int d) { return srcStart + StretchSource(d - dstStart, srcSize, dstSize); };
  while (span.begin < span.end && source(span.begin) < 0) ++span.begin;
  while (span.end > span.begin && source(span.end - 1) >= sourceLimit) --span.end;
  return span;
}

}  // namespace

void StretchPicture(const MemoryPicture& source, const PixelRect& from, MemoryPicture& target,
                    const PixelRect& to) {
  if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) return;
  const Span xs = VisibleSpan(from.x, from.width, source.Width(), to.x, to.width, target.Width());
  const Span ys = VisibleSpan(from.y, from.height, source.Height(), to.y, to.height, target.Height());
  if (xs.begin >= xs.end) return;

  std::vector<int> columns(static_cast<std::size_t>(xs.end - xs.begin));
  for (int x = xs.begin; x < xs.end; ++x) {
    columns[x - xs.begin] = from.x + StretchSource(x - to.x, from.width, to.width);
  }
  int previousRow = -1;
  for (int y = ys.begin; y < ys.end; ++y) {
    const int row = from.y + StretchSource(y - to.y, from.height, to.height);
    Colour* out = target.Row(y) + xs.begin;
    if (row == previousRow) {
      // An enlarged row repeats the one above it.
      std::copy_n(target.Row(y - 1) + xs.begin, columns.size(), out);
      continue;
    }
    const Colour* in = source.Row(row);
    for (const int column : columns) *out++ = in[column];
    previousRow = row;
  }
}
