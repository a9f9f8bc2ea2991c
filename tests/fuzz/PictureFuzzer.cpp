// The picture readers on arbitrary bytes: the JPEG loader (libjpeg through its error
// handler, with the size check before decoding) or the BMP reader (Qt's, behind the same
// check), chosen at build time. A decoded picture must keep within the picture bounds.
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <stdexcept>

#include "platform/JpegLoader.h"
#include "platform/Pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
#ifdef FUZZ_JPEG
    const QImage image = platform::decodeJpeg(bytes, "fuzz.jpg");
#else
    const QImage image = platform::decodePicture(bytes, "fuzz.bmp");
#endif
    if (!platform::pictureSizeAllowed(static_cast<std::uint64_t>(image.width()),
                                      static_cast<std::uint64_t>(image.height()))) {
      std::abort();
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}
