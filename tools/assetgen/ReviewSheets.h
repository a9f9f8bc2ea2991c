#pragma once
// PNG sheets for reviewing the art by eye (not installed, not part of the build output).
#include <QImage>
#include <filesystem>
#include <map>
#include <string>

namespace assetgen {

class ReviewSheets {
 public:
  // pictures: by name, as AssetBuilder::renderedPictures() returns them.
  static void write(const std::map<std::string, QImage>& pictures, const std::filesystem::path& folder);
};

}  // namespace assetgen
