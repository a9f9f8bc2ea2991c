#include "platform/JpegLoader.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

#include "platform/PictureLimits.h"
#include "platform/core/BoundedFile.h"

namespace platform {
namespace {

// A real progressive picture has about ten scans; thousands of tiny ones are only a way to
// keep the decoder busy for minutes.
constexpr int kMaxScans = 500;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  char warning[JMSG_LENGTH_MAX];  // the first warning, empty when there was none
};

[[noreturn]] void onFatalError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Level -1 is a warning about damaged data (libjpeg carries on); higher levels are traces.
void onMessage(j_common_ptr info, int level) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && errors->warning[0] == '\0') (*info->err->format_message)(info, errors->warning);
}

void onProgress(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    std::longjmp(errors->jump, 1);
  }
}

std::runtime_error cannotOpen(const std::filesystem::path& file) {
  return std::runtime_error("Cannot open file \"" + file.string() + "\"");
}

}  // namespace

QImage decodeJpeg(std::span<const std::uint8_t> bytes, const std::filesystem::path& file) {
  // Everything libjpeg may jump over lives outside the setjmp scope or is trivially destructible.
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  jpeg_progress_mgr progress{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = onFatalError;
  errors.base.emit_message = onMessage;
  progress.progress_monitor = onProgress;
  QImage image;

  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error("JPEG error in \"" + file.string() + "\": " + errors.message);
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  // Checked on the header's own claim, before any pixel buffer exists.
  if (!pictureSizeAllowed(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    refuseTooLarge(file, info.image_width, info.image_height);
  }
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
  if (errors.warning[0] != '\0') {
    warnAboutFile(file, std::string("the picture is damaged (") + errors.warning +
                            "); what could not be read is shown grey");
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage loadJpeg(const std::filesystem::path& file) {
  const BoundedFile read = readBoundedFile(file, kMaxPictureFileBytes);
  if (!read.ok()) {
    if (read.status == BoundedFile::Status::TooLarge || read.status == BoundedFile::Status::NotRegularFile)
      warnAboutFile(file, read.reason() + "; not loaded");
    throw cannotOpen(file);
  }
  return decodeJpeg(read.bytes(), file);
}

}  // namespace platform
