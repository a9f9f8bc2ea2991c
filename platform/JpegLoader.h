#pragma once
// JPEG decoding through libjpeg, called directly.
#include <QImage>
#include <filesystem>

namespace platform {

// Decodes a baseline or progressive JPEG (grey or colour) to an RGB image.
// Throws std::runtime_error with a readable message when the file can't be read or decoded.
QImage loadJpeg(const std::filesystem::path& file);

}  // namespace platform
