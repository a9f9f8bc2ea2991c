#pragma once
// Picture files: JPEG through libjpeg, BMP (and anything else Qt reads) through QImage.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/PictureLimits.h"

namespace platform {

// Decodes picture bytes that are not a JPEG (BMP and whatever else Qt reads by content);
// `file` only names them in messages. A picture whose header claims more than the bounds
// above is refused before it is decoded, with one line on standard error. Throws
// std::runtime_error when the bytes are not a valid picture.
QImage decodePicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file);

// Chooses the decoder by the file extension. Reads only a regular file within
// kMaxPictureFileBytes. Throws std::runtime_error when the file is missing, can't be read
// or can't be decoded, or the picture is too large.
QImage loadPicture(const std::filesystem::path& file);

}  // namespace platform
