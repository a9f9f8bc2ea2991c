#include "assets/EmbeddedPictures.h"

#include "assets/EmbeddedPictureData.h"

namespace assets {

QImage embeddedPicture(std::string_view name) {
  for (std::size_t i = 0; i < generated::kEmbeddedBlobCount; ++i) {
    const generated::EmbeddedBlob& blob = generated::kEmbeddedBlobs[i];
    if (name == blob.name)
      return QImage::fromData(blob.data, static_cast<int>(blob.size), "BMP");
  }
  return {};
}

}  // namespace assets
