#include "platform/JpegLoader.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace platform {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void onFatalError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void onWarning(j_common_ptr, int) {}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

QImage loadJpeg(const std::filesystem::path& file) {
  std::unique_ptr<std::FILE, FileCloser> input(std::fopen(file.c_str(), "rb"));
  if (!input) throw std::runtime_error("Cannot open file \"" + file.string() + "\"");

  // Everything libjpeg may jump over lives outside the setjmp scope or is trivially destructible.
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = onFatalError;
  errors.base.emit_message = onWarning;
  QImage image;

  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error("JPEG error in \"" + file.string() + "\": " + errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, input.get());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB888);
  if (image.isNull()) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error("Out of memory decoding \"" + file.string() + "\"");
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace platform
