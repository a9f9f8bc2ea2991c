#pragma once
// The program's icon for desktop menus: the window icon's drawing rendered at larger sizes
// in full colour (the 32 × 32 window icon itself is reduced to 16 colours for the program).
#include <QImage>
#include <filesystem>
#include <vector>

namespace assetgen {

class DesktopIcons {
 public:
  // The sizes written by write(), in pixels (square).
  static std::vector<int> sizes();
  // The icon drawing scaled to size × size, with antialiasing, opaque.
  static QImage render(int size);
  // Writes <dir>/<N>x<N>/pomuri.png for every size. Throws std::runtime_error on failure.
  static void write(const std::filesystem::path& dir);
};

}  // namespace assetgen
