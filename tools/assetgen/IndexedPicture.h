#pragma once
// A palettized picture: one palette index per pixel, rows top to bottom.
#include <QRgb>
#include <cstdint>
#include <vector>

namespace assetgen {

struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<QRgb> palette;       // opaque colours; every entry is used by some pixel
  std::vector<std::uint8_t> pixels;  // width * height indices into palette

  std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace assetgen
