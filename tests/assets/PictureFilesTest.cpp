// Every generated picture: its BMP or JPEG structure, size, colour depth and table, the
// transparent colour, and the embedded pictures as the program reads them.
#include "GeneratedFiles.h"

#include "assets/EmbeddedPictures.h"

#include <gtest/gtest.h>
#include <set>

namespace assettest {
namespace {

struct BmpCase {
  std::string name;
  bool embedded;
  int width, height, bitsPerPixel, maxColours;
};

const BmpCase kBitmaps[] = {
    {"P1", true, 173, 304, 8, 4},       {"P2", true, 310, 150, 8, 256},     {"P3", true, 301, 52, 8, 4},
    {"P4", true, 297, 137, 8, 256},     {"P5", true, 297, 137, 8, 256},     {"P6", true, 297, 137, 8, 5},
    {"P7", true, 297, 137, 8, 10},      {"P8", true, 477, 355, 8, 256},     {"icon", true, 32, 32, 4, 16},
    {"kao.bmp", false, 64, 64, 8, 256}, {"kao1.bmp", false, 64, 64, 8, 256}, {"kao2.bmp", false, 64, 64, 8, 256},
    {"kao3.bmp", false, 64, 64, 8, 256}, {"kao4.bmp", false, 64, 64, 8, 256}, {"kao5.bmp", false, 64, 64, 8, 256},
    {"blue.bmp", false, 150, 150, 8, 256}, {"bad.bmp", false, 150, 150, 8, 256}, {"soso.bmp", false, 150, 150, 8, 256},
    {"good.bmp", false, 150, 150, 8, 256}, {"happy.bmp", false, 150, 150, 8, 256},
};

std::string bytesOf(const BmpCase& c) { return readBytes(c.embedded ? embeddedFile(c.name) : cgFile(c.name)); }

class BitmapFile : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BitmapFile, HeaderSizeDepthAndColourTableMatchTheLayout) {
  const BmpCase& c = GetParam();
  const std::string b = bytesOf(c);
  ASSERT_GE(b.size(), 54u) << c.name;
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(le32(b, 2), b.size()) << "file size field";
  EXPECT_EQ(le32(b, 14), 40u) << "info header size";
  EXPECT_EQ(static_cast<int>(le32(b, 18)), c.width);
  EXPECT_EQ(static_cast<int>(le32(b, 22)), c.height) << "height (positive: bottom-up)";
  EXPECT_EQ(le16(b, 26), 1u) << "planes";
  EXPECT_EQ(static_cast<int>(le16(b, 28)), c.bitsPerPixel);
  EXPECT_EQ(le32(b, 30), 0u) << "uncompressed";
  const std::uint32_t colours = le32(b, 46);
  EXPECT_GE(colours, 2u);
  EXPECT_LE(static_cast<int>(colours), c.maxColours);
  EXPECT_EQ(le32(b, 10), 54 + colours * 4) << "pixels follow the colour table directly";

  // Every table entry is used by some pixel, and no pixel points past the table.
  const std::uint32_t rowBytes = ((c.width * c.bitsPerPixel + 31) / 32) * 4;
  ASSERT_EQ(b.size(), le32(b, 10) + rowBytes * c.height);
  std::set<int> used;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const auto byte = static_cast<std::uint8_t>(b[le32(b, 10) + y * rowBytes + x * c.bitsPerPixel / 8]);
      used.insert(c.bitsPerPixel == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F));
    }
  EXPECT_EQ(used.size(), colours);
  EXPECT_LT(*used.rbegin(), static_cast<int>(colours));

  const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(b.data()), static_cast<int>(b.size()), "BMP");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(c.width, c.height));
}

TEST(EmbeddedPictures, AreWhatTheProgramGets) {
  for (const BmpCase& c : kBitmaps) {
    if (!c.embedded) continue;
    const std::string b = bytesOf(c);
    const QImage onDisk = QImage::fromData(reinterpret_cast<const uchar*>(b.data()), static_cast<int>(b.size()), "BMP");
    const QImage compiled = assets::embeddedPicture(c.name);
    ASSERT_FALSE(compiled.isNull()) << c.name;
    EXPECT_EQ(compiled.convertToFormat(QImage::Format_RGB32), onDisk.convertToFormat(QImage::Format_RGB32)) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(All, BitmapFile, ::testing::ValuesIn(kBitmaps),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) if (ch == '.') ch = '_';
                           return n;
                         });

TEST(EmbeddedPictures, UnknownNamesGiveANullPicture) {
  EXPECT_TRUE(assets::embeddedPicture("P9").isNull());
  EXPECT_TRUE(assets::embeddedPicture("").isNull());
  EXPECT_TRUE(assets::embeddedPicture("p1").isNull());
}

QImage embedded(const std::string& name) { return assets::embeddedPicture(name).convertToFormat(QImage::Format_RGB32); }

TEST(TransparentColour, DecorationKeysOnFuchsiaAtItsBottomLeftPixel) {
  const QImage p2 = embedded("P2");
  EXPECT_EQ(p2.pixel(0, p2.height() - 1) & 0xFFFFFF, 0xFF00FFu);
  // The decoration itself is mostly drawn, not transparent.
  int opaque = 0;
  for (int y = 0; y < p2.height(); ++y)
    for (int x = 0; x < p2.width(); ++x) opaque += (p2.pixel(x, y) & 0xFFFFFF) != 0xFF00FFu;
  EXPECT_GT(opaque, p2.width() * p2.height() * 8 / 10);
}

TEST(TransparentColour, FramesAreFuchsiaOutside) {
  for (const char* name : {"P1", "P3"}) {
    const QImage img = embedded(name);
    for (QPoint corner : {QPoint(0, 0), QPoint(img.width() - 1, 0), QPoint(0, img.height() - 1),
                          QPoint(img.width() - 1, img.height() - 1)})
      EXPECT_EQ(img.pixel(corner) & 0xFFFFFF, 0xFF00FFu) << name << " corner " << corner.x() << "," << corner.y();
  }
}

TEST(WindowIcon, IsSixteenColoursAtMost) {
  const QImage icon = embedded("icon");
  std::set<QRgb> colours;
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x) colours.insert(icon.pixel(x, y));
  EXPECT_LE(colours.size(), 16u);
  EXPECT_GE(colours.size(), 4u);
}

TEST(TitleFrames, AreJpegsOfTheTitleSizeThatDifferFromEachOther) {
  QImage frames[3];
  for (int i = 0; i < 3; ++i) {
    const std::string b = readBytes(cgFile(std::to_string(i + 1) + ".jpg"));
    ASSERT_GE(b.size(), 4u);
    EXPECT_EQ(static_cast<std::uint8_t>(b[0]), 0xFF);
    EXPECT_EQ(static_cast<std::uint8_t>(b[1]), 0xD8) << "JPEG start of image";
    frames[i] = decodeJpeg(b);
    ASSERT_FALSE(frames[i].isNull()) << "frame " << i + 1;
    EXPECT_EQ(frames[i].size(), QSize(481, 357));
  }
  // Each pair differs in a visible part of the picture (the tremble and the sparkles),
  // beyond JPEG noise.
  for (int a = 0; a < 3; ++a)
    for (int b = a + 1; b < 3; ++b) {
      int changed = 0;
      for (int y = 0; y < 349; ++y)
        for (int x = 0; x < 481; ++x)
          changed += std::abs(luma(frames[a].pixel(x, y)) - luma(frames[b].pixel(x, y))) > 48;
      EXPECT_GT(changed, 500) << "frames " << a + 1 << " and " << b + 1;
    }
}

}  // namespace
}  // namespace assettest
