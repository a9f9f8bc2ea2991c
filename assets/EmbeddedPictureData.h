#pragma once
// The table of embedded picture files, written at build time by the asset generator into
// EmbeddedPictureData.cpp in the build tree. Each entry is a whole BMP file.
#include <cstddef>

namespace assets::generated {

struct EmbeddedBlob {
  const char* name;  // "P1" … "P8", "icon"
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedBlob kEmbeddedBlobs[];
extern const std::size_t kEmbeddedBlobCount;

}  // namespace assets::generated
