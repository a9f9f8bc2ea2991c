#pragma once
// Picture files: JPEG through libjpeg, BMP (and anything else Qt reads) through QImage.
#include <QImage>
#include <filesystem>

namespace platform {

// Chooses the decoder by the file extension. Throws std::runtime_error when the file is
// missing or can't be decoded.
QImage loadPicture(const std::filesystem::path& file);

}  // namespace platform
