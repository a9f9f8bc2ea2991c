#pragma once
// JPEG decoding through libjpeg, called directly.
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

// Decodes a baseline or progressive JPEG (grey or colour) held in memory to an RGB image;
// `file` only names it in messages. A picture whose header claims more than the picture
// bounds (PictureLimits.h) is refused before anything is decoded: one line on standard error,
// then the error a missing file gives. A damaged picture that still decodes (one cut
// short, say) is returned as far as it goes, with one line on standard error. Throws
// std::runtime_error with a readable message when the bytes can't be decoded.
QImage decodeJpeg(std::span<const std::uint8_t> bytes, const std::filesystem::path& file);

// Reads the file (a regular file within the picture file bound only) and decodes it.
QImage loadJpeg(const std::filesystem::path& file);

}  // namespace platform
