#include "platform/Pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <utility>
#include <stdexcept>
#include <string>

#include "platform/JpegLoader.h"
#include "platform/core/BoundedFile.h"

namespace platform {

namespace {

std::uint32_t le(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes[at + i];
  return value;
}

// The size a BMP's header claims, read by hand: Qt's own reader gives no size for one it
// finds implausible, which would leave such a file without its line on standard error.
// Empty for anything that is not a BMP with a whole header.
std::optional<std::pair<std::uint64_t, std::uint64_t>> bmpClaim(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint32_t headerSize = le(bytes, 14, 4);
  if (headerSize == 12) return std::make_pair(le(bytes, 18, 2), le(bytes, 20, 2));
  if (headerSize < 16) return std::nullopt;
  // Signed 32-bit fields; a negative height is a top-down picture.
  const std::int64_t width = static_cast<std::int32_t>(le(bytes, 18, 4));
  const std::int64_t height = static_cast<std::int32_t>(le(bytes, 22, 4));
  return std::make_pair(static_cast<std::uint64_t>(std::abs(width)), static_cast<std::uint64_t>(std::abs(height)));
}

}  // namespace

QImage decodePicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file) {
  const std::runtime_error invalid("Bitmap image is not valid: \"" + file.string() + "\"");
  // The bytes stay the caller's; the buffer only reads them.
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::ReadOnly)) throw invalid;
  QImageReader reader(&buffer);
  // The header's claim is checked before decoding; the allocation limit (in MiB) also
  // covers a format whose reader cannot tell its size up front.
  reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 >> 20) + 1);
  std::optional<std::pair<std::uint64_t, std::uint64_t>> claimed = bmpClaim(bytes);
  if (!claimed) {
    // QSize() (−1 × −1) is "not known"; a negative side is read as its magnitude, as a
    // reader that takes it for a bottom-up picture would.
    const QSize size = reader.size();
    if (size != QSize()) claimed = {static_cast<std::uint64_t>(std::abs(std::int64_t{size.width()})),
                                    static_cast<std::uint64_t>(std::abs(std::int64_t{size.height()}))};
  }
  if (claimed && !pictureSizeAllowed(claimed->first, claimed->second)) refuseTooLarge(file, claimed->first, claimed->second);
  const QImage image = reader.read();
  if (image.isNull()) throw invalid;
  // A header the checks above could not read (a reader may make sense of an odd one).
  const auto width = static_cast<std::uint64_t>(image.width());
  const auto height = static_cast<std::uint64_t>(image.height());
  if (!pictureSizeAllowed(width, height)) refuseTooLarge(file, width, height);
  return image;
}

QImage loadPicture(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".jpg" || extension == ".jpeg") return loadJpeg(file);

  const BoundedFile read = readBoundedFile(file, kMaxPictureFileBytes);
  if (!read.ok()) {
    if (read.status == BoundedFile::Status::TooLarge || read.status == BoundedFile::Status::NotRegularFile)
      warnAboutFile(file, read.reason() + "; not loaded");
    throw std::runtime_error("Cannot open file \"" + file.string() + "\"");
  }
  return decodePicture(read.bytes(), file);
}

}  // namespace platform
