#include "assets/art/PictureCatalog.h"

#include "assets/art/Drawings.h"
#include "assets/art/Style.h"

namespace art {
using namespace colour;

namespace {

PictureSpec embedded(std::string name, QSize size, int maxColours, std::function<void(QPainter&)> draw) {
  PictureSpec spec;
  spec.name = std::move(name);
  spec.destination = PictureDestination::Embedded;
  spec.size = size;
  spec.maxColours = maxColours;
  spec.draw = std::move(draw);
  return spec;
}

PictureSpec cgBitmap(std::string name, QSize size, std::function<void(QPainter&)> draw) {
  PictureSpec spec;
  spec.name = std::move(name);
  spec.size = size;
  spec.draw = std::move(draw);
  return spec;
}

std::vector<QRgb> rgb(std::initializer_list<QColor> colours) {
  std::vector<QRgb> out;
  for (const QColor& c : colours) out.push_back(c.rgb());
  return out;
}

}  // namespace

std::vector<PictureSpec> pictureCatalog() {
  std::vector<PictureSpec> all;
  PictureSpec p1 = embedded("P1", {173, 304}, 4, drawStatusFrame);
  p1.fixedPalette = rgb({kFuchsia, kInk, kMagenta, kPink});
  all.push_back(p1);
  PictureSpec p2 = embedded("P2", {310, 150}, 256, drawDecoration);
  p2.mustKeep = rgb({kFuchsia});
  all.push_back(p2);
  PictureSpec p3 = embedded("P3", {301, 52}, 4, drawSpeechBar);
  p3.fixedPalette = rgb({kFuchsia, kInk, kMagenta, kPink});
  all.push_back(p3);
  PictureSpec p4 = embedded("P4", {297, 137}, 256, drawNamePanel);
  p4.mustKeep = rgb({kRose, kWine});
  all.push_back(p4);
  all.push_back(embedded("P5", {297, 137}, 256, drawYesNoPanel));
  PictureSpec p6 = embedded("P6", {297, 137}, 5, drawSexPanel);
  p6.fixedPalette = rgb({kRose, kInk, kWhite, kSky, kBlush});
  all.push_back(p6);
  PictureSpec p7 = embedded("P7", {297, 137}, 10, drawBirthdayPanel);
  p7.fixedPalette = rgb({kRose, kInk, kNight, kWhite, kPink, kFuchsia, kGold, kBlush, kMagenta, kWine});
  all.push_back(p7);
  all.push_back(embedded("P8", {477, 355}, 256, drawResultSheet));
  PictureSpec icon = embedded("icon", {32, 32}, 16, drawWindowIcon);
  icon.bitsPerPixel = 4;
  all.push_back(icon);

  const std::pair<const char*, Expression> faces[] = {
      {"kao.bmp", Expression::Neutral}, {"kao1.bmp", Expression::Questioning}, {"kao2.bmp", Expression::Smug},
      {"kao3.bmp", Expression::Annoyed}, {"kao4.bmp", Expression::Excited},   {"kao5.bmp", Expression::Startled}};
  for (const auto& [file, expression] : faces)
    all.push_back(cgBitmap(file, {64, 64}, [e = expression](QPainter& p) { drawPortrait(p, e); }));
  const char* moods[] = {"blue.bmp", "bad.bmp", "soso.bmp", "good.bmp", "happy.bmp"};
  for (int i = 0; i < 5; ++i) all.push_back(cgBitmap(moods[i], {150, 150}, [i](QPainter& p) { drawMoodPicture(p, i); }));
  for (int frame = 0; frame < 3; ++frame) {
    PictureSpec title = cgBitmap(std::to_string(frame + 1) + ".jpg", {481, 357},
                                 [frame](QPainter& p) { drawTitleFrame(p, frame); });
    title.encoding = PictureEncoding::Jpeg;
    all.push_back(title);
  }
  return all;
}

}  // namespace art
