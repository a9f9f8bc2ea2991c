#pragma once
// The bounds every picture decoder checks before it decodes: shared by the BMP path
// (Pictures) and the JPEG path (JpegLoader), which otherwise know nothing of each other.
#include <cstddef>
#include <cstdint>
#include <filesystem>

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

}  // namespace platform
