// The desktop icons: the window icon's drawing at every size, written where the install
// rules pick them up.
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "assets/EmbeddedPictures.h"
#include "tools/assetgen/DesktopIcons.h"

namespace assetgen {
namespace {

// Mean absolute difference per channel (0 … 255) between two pictures of one size.
double meanDifference(const QImage& a, const QImage& b) {
  double total = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return total / (3.0 * a.width() * a.height());
}

TEST(DesktopIconsTest, EverySizeShowsTheWindowIconsDrawing) {
  // The program's own icon is the same drawing reduced to 16 colours.
  const QImage windowIcon = assets::embeddedPicture("icon").convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(windowIcon.size(), QSize(32, 32));
  ASSERT_GE(DesktopIcons::sizes().size(), 2u);
  EXPECT_EQ(DesktopIcons::sizes().front(), 32);
  for (int size : DesktopIcons::sizes()) {
    SCOPED_TRACE(size);
    const QImage icon = DesktopIcons::render(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    const QImage reduced =
        icon.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    // Same shapes in the same places: only palette reduction and edge blending differ.
    EXPECT_LT(meanDifference(reduced, windowIcon), 16.0);
    // Drawn to the edges at every size (a missing scale would leave the far corner empty).
    EXPECT_EQ(icon.pixel(size - 1, size - 1), icon.pixel(0, 0));
    EXPECT_NE(icon.pixel(size / 2, size / 2), icon.pixel(0, 0));
  }
  // A mirrored or shifted drawing would differ far more than colour reduction does.
  EXPECT_GT(meanDifference(windowIcon.mirrored(true, false), windowIcon), 16.0);
}

TEST(DesktopIconsTest, WritesOnePngPerSizeInThemeFolders) {
  std::string pattern = (std::filesystem::temp_directory_path() / "desktop_icons.XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path dir = pattern;
  DesktopIcons::write(dir);
  for (int size : DesktopIcons::sizes()) {
    const std::filesystem::path file = dir / (std::to_string(size) + "x" + std::to_string(size)) / "pomuri.png";
    QImage written(QString::fromStdString(file.string()), "PNG");
    ASSERT_FALSE(written.isNull()) << file;
    EXPECT_EQ(written.size(), QSize(size, size));
    EXPECT_EQ(meanDifference(written.convertToFormat(QImage::Format_RGB32), DesktopIcons::render(size)), 0.0);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace assetgen
