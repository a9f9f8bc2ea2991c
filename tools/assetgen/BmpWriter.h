#pragma once
// Writes palettized Windows bitmaps: uncompressed, bottom-up rows, a colour table of exactly
// the palette's entries (biClrUsed = palette size).
#include "tools/assetgen/IndexedPicture.h"

#include <string>

namespace assetgen {

class BmpWriter {
 public:
  // bitsPerPixel: 8, or 4 when the palette has at most 16 entries.
  // Throws std::invalid_argument when the palette does not fit the depth.
  static std::string encode(const IndexedPicture& picture, int bitsPerPixel = 8);
};

}  // namespace assetgen
