#include "tools/assetgen/BmpWriter.h"

#include "tools/assetgen/ByteSink.h"

#include <stdexcept>

namespace assetgen {

std::string BmpWriter::encode(const IndexedPicture& picture, int bitsPerPixel) {
  if (bitsPerPixel != 8 && bitsPerPixel != 4) throw std::invalid_argument("BMP depth must be 4 or 8");
  const std::size_t colours = picture.palette.size();
  if (colours == 0 || colours > (1u << bitsPerPixel)) throw std::invalid_argument("palette does not fit the BMP depth");
  const std::uint32_t rowBytes = ((picture.width * bitsPerPixel + 31) / 32) * 4;
  const std::uint32_t imageBytes = rowBytes * picture.height;
  const std::uint32_t headerBytes = 14 + 40 + static_cast<std::uint32_t>(colours) * 4;

  ByteSink out;
  out.text("BM");
  out.u32le(headerBytes + imageBytes);
  out.u32le(0);
  out.u32le(headerBytes);
  out.u32le(40);
  out.u32le(static_cast<std::uint32_t>(picture.width));
  out.u32le(static_cast<std::uint32_t>(picture.height));  // positive: rows stored bottom-up
  out.u16le(1);
  out.u16le(static_cast<std::uint16_t>(bitsPerPixel));
  out.u32le(0);  // BI_RGB
  out.u32le(imageBytes);
  out.u32le(3780);  // 96 dpi in pixels per metre
  out.u32le(3780);
  out.u32le(static_cast<std::uint32_t>(colours));
  out.u32le(0);
  for (QRgb c : picture.palette) {
    out.u8(static_cast<std::uint8_t>(qBlue(c)));
    out.u8(static_cast<std::uint8_t>(qGreen(c)));
    out.u8(static_cast<std::uint8_t>(qRed(c)));
    out.u8(0);
  }
  for (int y = picture.height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t index = picture.at(x, y);
      if (bitsPerPixel == 8) {
        row[x] = static_cast<char>(index);
      } else {
        const int shift = (x % 2 == 0) ? 4 : 0;
        row[x / 2] = static_cast<char>(static_cast<std::uint8_t>(row[x / 2]) | (index << shift));
      }
    }
    out.bytes(row);
  }
  return out.take();
}

}  // namespace assetgen
