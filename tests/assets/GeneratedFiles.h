#pragma once
// Access to the files the build generated, for the tests that inspect them.
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string>

namespace assettest {

inline std::filesystem::path datFile(const std::string& name) { return std::filesystem::path(POMURI_TEST_BIN_DIR) / "dat" / name; }
inline std::filesystem::path cgFile(const std::string& name) { return std::filesystem::path(POMURI_TEST_BIN_DIR) / "cg" / name; }
inline std::filesystem::path embeddedFile(const std::string& name) {
  return std::filesystem::path(POMURI_TEST_EMBEDDED_DIR) / (name + ".bmp");
}

// The whole file; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);

inline std::uint32_t le16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b.at(at)) | static_cast<std::uint8_t>(b.at(at + 1)) << 8;
}
inline std::uint32_t le32(const std::string& b, std::size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }
inline std::uint32_t be16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b.at(at)) << 8 | static_cast<std::uint8_t>(b.at(at + 1));
}
inline std::uint32_t be32(const std::string& b, std::size_t at) { return be16(b, at) << 16 | be16(b, at + 2); }

// A JPEG decoded with libjpeg (as the game decodes its title frames); null on failure.
QImage decodeJpeg(const std::string& bytes);

// 0..255 brightness of a colour.
inline int luma(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }

}  // namespace assettest
