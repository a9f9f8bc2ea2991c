#include "platform/Pictures.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/JpegLoader.h"

namespace platform {

QImage loadPicture(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".jpg" || extension == ".jpeg") return loadJpeg(file);

  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    throw std::runtime_error("Cannot open file \"" + file.string() + "\"");
  QImage image(QString::fromStdString(file.string()));
  if (image.isNull()) throw std::runtime_error("Bitmap image is not valid: \"" + file.string() + "\"");
  return image;
}

}  // namespace platform
