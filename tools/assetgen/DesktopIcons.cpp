#include "tools/assetgen/DesktopIcons.h"

#include <QPainter>
#include <stdexcept>
#include <string>

#include "assets/art/Drawings.h"

namespace assetgen {
namespace {
constexpr int kDrawingSize = 32;  // the icon drawing's own coordinate space
}

std::vector<int> DesktopIcons::sizes() { return {32, 48, 128, 256}; }

QImage DesktopIcons::render(int size) {
  QImage icon(size, size, QImage::Format_RGB32);
  icon.fill(Qt::black);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(static_cast<double>(size) / kDrawingSize, static_cast<double>(size) / kDrawingSize);
  art::drawWindowIcon(painter);
  return icon;
}

void DesktopIcons::write(const std::filesystem::path& dir) {
  for (int size : sizes()) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(dir / name);
    const std::filesystem::path file = dir / name / "pomuri.png";
    if (!render(size).save(QString::fromStdString(file.string()), "PNG"))
      throw std::runtime_error("cannot write " + file.string());
  }
}

}  // namespace assetgen
