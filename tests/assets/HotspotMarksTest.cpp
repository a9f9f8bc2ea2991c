// The pictures draw a mark under every hotspot of the layout, and keep text areas readable.
// The rectangles here are the window layout's own, written out independently of the
// drawings, so a drawing that slips off its hotspot fails.
#include "GeneratedFiles.h"

#include "assets/EmbeddedPictures.h"

#include <gtest/gtest.h>
#include <vector>

namespace assettest {
namespace {

struct MarkCase {
  std::string picture;  // embedded name, or a title frame file in cg/
  std::string what;
  QRect rect;           // in the coordinates the picture is shown at
  std::vector<QRgb> background;  // colours of the plain panel around the marks
  double coverage = 0.75;         // share of the rectangle the mark must cover
};

const std::vector<QRgb> kRosePanel = {0xAE003D, 0x99004D};
const std::vector<QRgb> kPinkPanel = {0xFF80C0, 0xFFB5FF};

const MarkCase kMarks[] = {
    {"P4", "A", {8, 4, 37, 29}, kRosePanel},        {"P4", "erase", {48, 4, 33, 29}, kRosePanel},
    {"P4", "C", {84, 4, 29, 29}, kRosePanel},       {"P4", "D", {116, 8, 29, 29}, kRosePanel},
    {"P4", "E", {148, 4, 29, 29}, kRosePanel},      {"P4", "G", {176, 4, 37, 29}, kRosePanel},
    {"P4", "K", {220, 4, 37, 33}, kRosePanel},      {"P4", "L", {260, 8, 29, 29}, kRosePanel},
    {"P4", "I", {4, 40, 37, 29}, kRosePanel},       {"P4", "N", {44, 40, 37, 29}, kRosePanel},
    {"P4", "M", {84, 40, 37, 29}, kRosePanel},      {"P4", "O", {128, 44, 37, 29}, kRosePanel},
    {"P4", "P", {168, 40, 29, 29}, kRosePanel},     {"P4", "Q", {204, 40, 37, 37}, kRosePanel},
    {"P4", "R", {248, 40, 37, 37}, kRosePanel},     {"P4", "S", {8, 72, 33, 33}, kRosePanel},
    {"P4", "T", {48, 72, 33, 33}, kRosePanel},      {"P4", "U", {92, 80, 33, 33}, kRosePanel},
    {"P4", "Y", {132, 76, 41, 29}, kRosePanel},     {"P4", "OK", {220, 104, 73, 29}, kRosePanel},
    {"P5", "yes", {56, 16, 165, 45}, kPinkPanel, 0.7}, {"P5", "no", {56, 76, 165, 45}, kPinkPanel, 0.7},
    {"P6", "male", {32, 12, 85, 109}, {0xAE003D}, 0.8}, {"P6", "female", {156, 8, 105, 109}, {0xAE003D}, 0.8},
    {"P7", "OK", {212, 84, 85, 53}, {0xAE003D}, 0.55},  // the last 4 rows of the hotspot lie off the panel
    {"P7", "month", {92, 48, 19, 17}, {0xAE003D}, 0.4}, {"P7", "day", {196, 48, 19, 17}, {0xAE003D}, 0.4},
    {"P8", "OK", {364, 308, 113, 41}, {0xFF80FF, 0xFFB5FF}, 0.65},  // rows below 349 are off screen
    {"1.jpg", "NEW GAME", {232, 288, 121, 33}, {}}, {"1.jpg", "compatibility", {232, 324, 121, 25}, {}},
};

// The picture as the window shows it: P1 and P8 are stretched to their controls.
QImage shown(const std::string& name) {
  QImage image = name.find(".jpg") != std::string::npos ? decodeJpeg(readBytes(cgFile(name)))
                                                        : assets::embeddedPicture(name).convertToFormat(QImage::Format_RGB32);
  if (name == "P1") image = image.scaled(181, 345);
  if (name == "P8") image = image.scaled(485, 357);
  return image;
}

bool isBackground(QRgb pixel, const std::vector<QRgb>& background) {
  for (QRgb c : background)
    if ((pixel & 0xFFFFFF) == c) return true;
  return false;
}

class MarkUnderHotspot : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkUnderHotspot, IsDrawnAndCentredInTheRectangle) {
  const MarkCase& c = GetParam();
  const QImage image = shown(c.picture);
  ASSERT_FALSE(image.isNull());
  ASSERT_TRUE(image.rect().contains(c.rect)) << c.what;
  if (c.background.empty()) {
    // A title entry: a pink button, centred on the hotspot, where the night sky beside it
    // is dark.
    auto pinkShare = [&image](const QRect& r, QPointF* centroid) {
      int pink = 0;
      double sumX = 0, sumY = 0;
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          if (qRed(image.pixel(x, y)) > 200) ++pink, sumX += x, sumY += y;
      if (centroid && pink > 0) *centroid = QPointF(sumX / pink, sumY / pink);
      return static_cast<double>(pink) / (r.width() * r.height());
    };
    QPointF centroid;
    EXPECT_GT(pinkShare(c.rect, &centroid), 0.35) << c.what;
    EXPECT_LT(std::abs(centroid.x() - QRectF(c.rect).center().x()), c.rect.width() * 0.2) << c.what;
    EXPECT_LT(std::abs(centroid.y() - QRectF(c.rect).center().y()), c.rect.height() * 0.2) << c.what;
    EXPECT_LT(pinkShare(QRect(380, c.rect.top(), 90, c.rect.height()), nullptr), 0.1) << "the sky beside " << c.what;
    return;
  }
  long marked = 0;
  double sumX = 0, sumY = 0;
  for (int y = c.rect.top(); y <= c.rect.bottom(); ++y)
    for (int x = c.rect.left(); x <= c.rect.right(); ++x)
      if (!isBackground(image.pixel(x, y), c.background)) {
        ++marked;
        sumX += x;
        sumY += y;
      }
  const long area = c.rect.width() * c.rect.height();
  EXPECT_GE(static_cast<double>(marked) / area, c.coverage) << c.what << ": the hotspot must lie over its mark";
  const QPointF centroid(sumX / marked, sumY / marked);
  const QPointF centre = QRectF(c.rect).center();
  EXPECT_LT(std::abs(centroid.x() - centre.x()), c.rect.width() * 0.12) << c.what;
  EXPECT_LT(std::abs(centroid.y() - centre.y()), c.rect.height() * 0.12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Layout, MarkUnderHotspot, ::testing::ValuesIn(kMarks), [](const auto& info) {
  std::string n = info.param.picture + "_" + info.param.what;
  for (char& ch : n)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

double meanLuma(const QImage& image, const QRect& r) {
  long sum = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) sum += luma(image.pixel(x, y));
  return static_cast<double>(sum) / (r.width() * r.height());
}

struct TextAreaCase {
  std::string picture, what;
  QRect rect;
  bool lightText;  // true: white, yellow or light pink text that needs a dark ground
};

const TextAreaCase kTextAreas[] = {
    {"P1", "state_l (white)", {16, 16, 153, 217}, true},
    {"P3", "moji_l (white)", {12, 9, 277, 40}, true},
    {"P8", "end_l (magenta)", {40, 56, 310, 100}, false},  // left of the mood picture, above the score
    {"P8", "end_l2 (yellow)", {268, 164, 84, 40}, true},
    {"P8", "end_l3 (light pink)", {40, 248, 421, 56}, true},
};

TEST(TextAreas, HaveAGroundTheirTextColourReadsOn) {
  for (const TextAreaCase& c : kTextAreas) {
    const double mean = meanLuma(shown(c.picture), c.rect);
    if (c.lightText) EXPECT_LT(mean, 70) << c.picture << " " << c.what;
    else EXPECT_GT(mean, 200) << c.picture << " " << c.what;
  }
}

TEST(NamePanel, HasTheNameFieldColourBehindTheField) {
  const QImage p4 = shown("P4");
  for (int y = 112; y < 129; ++y)
    for (int x = 24; x < 153; ++x) ASSERT_EQ(p4.pixel(x, y) & 0xFFFFFF, 0x99004Du) << x << "," << y;
}

TEST(BirthdayPanel, HasDarkBoxesAroundTheSpinFields) {
  const QImage p7 = shown("P7");
  for (const QRect field : {QRect(24, 48, 45, 30), QRect(116, 48, 45, 30)}) {
    EXPECT_LT(meanLuma(p7, field), 40) << "behind the field";
    // The box shows a few pixels beyond the field on each side.
    EXPECT_LT(meanLuma(p7, QRect(field.left() - 3, field.top(), 2, field.height())), 60);
    EXPECT_LT(meanLuma(p7, QRect(field.right() + 2, field.top(), 2, field.height())), 60);
  }
}

TEST(ResultSheet, LeavesAFrameForTheMoodPicture) {
  const QImage p8 = shown("P8");
  // Around the picture's rectangle (360, 12, 112 × 97) there is a frame that differs from the
  // sheet's plain colour.
  int framed = 0;
  for (int x = 360; x < 472; ++x) framed += (p8.pixel(x, 9) & 0xFFFFFF) != 0xFF80FFu;
  EXPECT_GT(framed, 100);
}

}  // namespace
}  // namespace assettest
