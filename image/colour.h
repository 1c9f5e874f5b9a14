#pragma once
#include <cstdint>

// A colour as the pictures store it: 0xffRRGGBB (the pixel layout of
// QImage::Format_RGB32, so the window can show a picture without copying).
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
  return 0xff000000u | (static_cast<Colour>(red & 0xff) << 16) |
         (static_cast<Colour>(green & 0xff) << 8) | static_cast<Colour>(blue & 0xff);
}
constexpr int Red(Colour c) { return static_cast<int>((c >> 16) & 0xff); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int Blue(Colour c) { return static_cast<int>(c & 0xff); }

inline constexpr Colour kNoReadingGrey = Rgb(100, 100, 100);
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kWhite = Rgb(255, 255, 255);
