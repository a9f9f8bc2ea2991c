#pragma once
// Writes the C++ source that carries the embedded pictures (see assets/EmbeddedPictureData.h).
#include <string>
#include <utility>
#include <vector>

namespace assetgen {

class EmbeddedSourceWriter {
 public:
  // blobs: (name, file bytes) in the order they are listed.
  static std::string encode(const std::vector<std::pair<std::string, std::string>>& blobs);
};

}  // namespace assetgen
