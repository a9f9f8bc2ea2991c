#pragma once
// Every picture the game uses: its file or embedded name, size, encoding, colour budget and
// the drawing that makes it.
#include <QRgb>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace art {

enum class PictureDestination {
  Embedded,  // compiled into the program (P1 … P8, icon)
  CgFolder,  // a loose file in cg/ beside the program
};

enum class PictureEncoding { Bmp, Jpeg };

struct PictureSpec {
  std::string name;  // "P1" … "P8", "icon", or the file name in cg/ ("kao.bmp", "1.jpg")
  PictureDestination destination = PictureDestination::CgFolder;
  PictureEncoding encoding = PictureEncoding::Bmp;
  QSize size;
  int maxColours = 256;               // BMP only: the colour table holds at most this many
  int bitsPerPixel = 8;               // BMP only: 8, or 4 for the 16-colour icon
  std::vector<QRgb> fixedPalette;     // when set, pixels snap to these colours
  std::vector<QRgb> mustKeep;         // adaptive palettes keep these colours exact
  std::function<void(QPainter&)> draw;
};

std::vector<PictureSpec> pictureCatalog();

}  // namespace art
