#pragma once
// Picture files: JPEG through libjpeg, BMP (and anything else Qt reads) through QImage.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

// The largest picture file read (a 2048 × 2048 24-bit BMP is 12 MiB).
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{32} << 20;
// The largest picture decoded: far larger than the window (481 × 349, doubled on a dense
// screen) can ever show, and small enough that decoding it stays a few tens of MB.
inline constexpr std::uint64_t kMaxPictureSide = 4096;
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{2048} * 2048;

// True when a picture of width × height may be decoded.
bool pictureSizeAllowed(std::uint64_t width, std::uint64_t height);

// Refuses a picture of width × height: one line on standard error naming the file, then
// the error a missing file gives (std::runtime_error).
[[noreturn]] void refuseTooLarge(const std::filesystem::path& file, std::uint64_t width, std::uint64_t height);

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
