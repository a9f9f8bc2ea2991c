#include "platform/PictureLimits.h"

#include <stdexcept>
#include <string>

#include "platform/core/BoundedFile.h"

namespace platform {

bool pictureSizeAllowed(std::uint64_t width, std::uint64_t height) {
  return width <= kMaxPictureSide && height <= kMaxPictureSide && width * height <= kMaxPicturePixels;
}

void refuseTooLarge(const std::filesystem::path& file, std::uint64_t width, std::uint64_t height) {
  warnAboutFile(file, "the picture claims " + std::to_string(width) + " × " + std::to_string(height) +
                          " pixels, far more than can be shown; not loaded");
  throw std::runtime_error("Cannot open file \"" + file.string() + "\"");
}

}  // namespace platform
