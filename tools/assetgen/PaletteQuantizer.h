#pragma once
// Reduces a rendered picture to a small palette, deterministically.
#include "tools/assetgen/IndexedPicture.h"

#include <QImage>
#include <vector>

namespace assetgen {

class PaletteQuantizer {
 public:
  // fixedPalette: when not empty, every pixel snaps to its nearest entry (anti-aliased
  // edges fall to one side or the other), and entries no pixel uses are dropped.
  // Otherwise the palette is adaptive: at most maxColours, the colours in mustKeep first
  // (they stay exact), then the most frequent colours, spread out before they are packed.
  // The result never holds more than maxColours entries, all of them used.
  static IndexedPicture reduce(const QImage& picture, int maxColours,
                               const std::vector<QRgb>& fixedPalette = {},
                               const std::vector<QRgb>& mustKeep = {});

  // Perceptually weighted squared distance between two colours.
  static int distance(QRgb a, QRgb b);
};

}  // namespace assetgen
