#pragma once
// Encodes pictures as baseline JPEG through libjpeg.
#include <QImage>
#include <string>

namespace assetgen {

class JpegWriter {
 public:
  // quality 1..100. Same picture, same bytes: no timestamps or comments are written.
  // Throws std::runtime_error when libjpeg reports an error.
  static std::string encode(const QImage& picture, int quality = 92);
};

}  // namespace assetgen
