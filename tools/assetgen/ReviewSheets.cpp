#include "tools/assetgen/ReviewSheets.h"

#include "assets/art/NameTiles.h"

#include <QPainter>
#include <stdexcept>
#include <vector>

namespace assetgen {
namespace {

struct Hotspot {
  QRect rect;
  QString label;
};

// The layout's controls over each picture, in the coordinates the picture is shown at.
std::vector<Hotspot> hotspotsOf(const std::string& name) {
  if (name == "P4") {
    std::vector<Hotspot> out;
    for (const art::NameTile& t : art::kNameTiles) out.push_back({t.rect, QString::fromLatin1(t.label)});
    out.push_back({art::kNameField, "name_l"});
    return out;
  }
  if (name == "P5") return {{QRect(56, 16, 165, 45), "yes"}, {QRect(56, 76, 165, 45), "no"}};
  if (name == "P6") return {{QRect(32, 12, 85, 109), "male"}, {QRect(156, 8, 105, 109), "female"}};
  if (name == "P7")
    return {{QRect(24, 48, 45, 30), "month"}, {QRect(116, 48, 45, 30), "day"}, {QRect(92, 48, 19, 17), ""},
            {QRect(196, 48, 19, 17), ""},      {QRect(212, 84, 85, 57), "OK"}};
  if (name == "P8")
    return {{QRect(40, 56, 421, 121), "end_l"},   {QRect(268, 164, 84, 40), "end_l2"},
            {QRect(40, 248, 421, 89), "end_l3"},  {QRect(364, 308, 113, 49), "OK"},
            {QRect(360, 12, 112, 97), "end_Cg"},  {QRect(0, 0, 481, 349), ""}};
  if (name == "P1") return {{QRect(16, 16, 153, 217), "state_l"}};
  if (name == "P3") return {{QRect(12, 9, 277, 40), "moji_l"}};
  if (name == "1.jpg") return {{QRect(232, 288, 121, 33), "Image13"}, {QRect(232, 324, 121, 33), "Image14"}, {QRect(0, 0, 481, 349), ""}};
  return {};
}

QSize shownSize(const std::string& name, const QImage& picture) {
  if (name == "P1") return {181, 345};
  if (name == "P8") return {485, 357};
  return picture.size();
}

QImage overlay(const std::string& name, const QImage& picture, int zoom) {
  const QSize shown = shownSize(name, picture);
  QImage sheet(shown * zoom, QImage::Format_RGB32);
  QPainter p(&sheet);
  p.drawImage(QRect(QPoint(0, 0), shown * zoom), picture);
  p.setFont(QFont("DejaVu Sans", 9));
  for (const Hotspot& h : hotspotsOf(name)) {
    const QRect r(h.rect.topLeft() * zoom, h.rect.size() * zoom);
    p.setPen(QPen(QColor(0, 255, 0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(QColor(0, 255, 0));
    p.drawText(r.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, h.label);
  }
  return sheet;
}

void save(const QImage& image, const std::filesystem::path& path) {
  if (!image.save(QString::fromStdString(path.string()), "PNG")) throw std::runtime_error("cannot write " + path.string());
}

// The window at 1:1 as the game composes it, with one panel shown.
QImage mockUp(const std::map<std::string, QImage>& pics, const std::string& panel, const QString& speech) {
  QImage window(481, 349, QImage::Format_RGB32);
  window.fill(QColor(0xFF, 0x00, 0xFF));
  QPainter p(&window);
  p.drawImage(QRect(300, 4, 181, 345), pics.at("P1"));
  QImage decoration = pics.at("P2").convertToFormat(QImage::Format_ARGB32);
  const QRgb key = decoration.pixel(0, decoration.height() - 1);
  for (int y = 0; y < decoration.height(); ++y)
    for (int x = 0; x < decoration.width(); ++x)
      if (decoration.pixel(x, y) == key) decoration.setPixel(x, y, 0);
  p.drawImage(-2, 201, decoration);
  p.drawImage(0, 152, pics.at("P3"));
  QFont bold("IPAGothic");
  bold.setPixelSize(12);
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(Qt::white);
  p.drawText(QRect(12, 161, 277, 40), Qt::TextWordWrap, speech);
  QFont status("IPAPGothic");
  status.setPixelSize(12);
  status.setBold(true);
  p.setFont(status);
  p.drawText(QRect(316, 20, 153, 217), Qt::TextWordWrap,
             QStringLiteral("今日の日付\n    > 2026年12月7日\n       第2曜日\n\n名前 > ＰＯＭＵ\n\n性別 > ♀\n\n生年月日\n    > 3月 15日"));
  p.drawImage(QRect(-2, -3, 155, 156), pics.at("kao1.bmp"));
  if (!panel.empty()) p.drawImage(4, 208, pics.at(panel));
  if (panel == "P4") {
    p.fillRect(QRect(28, 320, 129, 17), QColor(0x99, 0x00, 0x4D));
    QFont field("IPAPGothic");
    field.setPixelSize(16);
    field.setBold(true);
    p.setFont(field);
    p.drawText(QRect(28, 320, 129, 17), Qt::AlignVCenter, QStringLiteral("ＰＯＭＵ"));
  }
  if (panel == "P7") {
    for (int x : {28, 120}) {
      p.fillRect(QRect(x, 256, 45, 30), QColor(0xFF, 0x80, 0xFF));
      QFont f("IPAPGothic");
      f.setPixelSize(20);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::black);
      p.drawText(QRect(x + 4, 256, 41, 30), Qt::AlignVCenter, x == 28 ? "3" : "15");
    }
  }
  return window;
}

QImage resultMockUp(const std::map<std::string, QImage>& pics) {
  QImage window(481, 349, QImage::Format_RGB32);
  QPainter p(&window);
  p.drawImage(QRect(0, 0, 485, 357), pics.at("P8"));
  QFont f("IPAPGothic");
  f.setBold(true);
  f.setPixelSize(15);
  p.setFont(f);
  p.setPen(QColor(0xC4, 0x00, 0x62));
  p.drawText(QRect(40, 56, 421, 121), Qt::TextWordWrap,
             QStringLiteral("べんきょう　> ★★★☆☆\nれんあい　> ★★☆☆☆\nしごと　> ★★★★☆\nけんこう　> ★☆☆☆☆\nラッキーアイテム　> 黒いリボン"));
  f.setPixelSize(40);
  p.setFont(f);
  p.setPen(QColor(0xFF, 0xFF, 0x00));
  p.drawText(QPoint(268, 200), "73");
  f.setPixelSize(17);
  f.setItalic(true);
  p.setFont(f);
  p.setPen(QColor(0xFF, 0xBB, 0xFF));
  p.drawText(QRect(40, 248, 421, 89), Qt::TextWordWrap, QStringLiteral("今日は早く寝るといいことがあるかも。"));
  p.drawImage(QRect(360, 12, 112, 97), pics.at("good.bmp"));
  return window;
}

QImage contactSheet(const std::map<std::string, QImage>& pics) {
  QImage sheet(1463, 1040, QImage::Format_RGB32);
  sheet.fill(QColor(60, 60, 60));
  QPainter p(&sheet);
  p.setPen(Qt::white);
  p.setFont(QFont("DejaVu Sans", 9));
  const char* faces[] = {"kao.bmp", "kao1.bmp", "kao2.bmp", "kao3.bmp", "kao4.bmp", "kao5.bmp"};
  for (int i = 0; i < 6; ++i) {
    p.drawImage(10 + i * 160, 20, pics.at(faces[i]));
    p.drawImage(QRect(10 + i * 160, 90, 150, 150), pics.at(faces[i]));
    p.drawText(10 + i * 160, 14, faces[i]);
  }
  const char* moods[] = {"blue.bmp", "bad.bmp", "soso.bmp", "good.bmp", "happy.bmp"};
  for (int i = 0; i < 5; ++i) {
    p.drawImage(10 + i * 280, 270, pics.at(moods[i]));
    p.drawImage(QRect(165 + i * 280, 270, 112, 97), pics.at(moods[i]));
    p.drawText(10 + i * 280, 264, moods[i]);
  }
  for (int i = 0; i < 3; ++i) {
    const std::string name = std::to_string(i + 1) + ".jpg";
    p.drawImage(10 + i * 485, 440, pics.at(name));
    p.drawText(10 + i * 485, 434, QString::fromStdString(name));
  }
  p.drawImage(980, 20, pics.at("icon"));
  p.drawImage(QRect(1020, 20, 128, 128), pics.at("icon"));
  p.drawText(980, 14, "icon");
  p.drawImage(10, 820, pics.at("P2"));
  p.drawImage(340, 820, pics.at("P3"));
  p.drawImage(QRect(660, 820, 181, 345), pics.at("P1"));
  return sheet;
}

}  // namespace

void ReviewSheets::write(const std::map<std::string, QImage>& pictures, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const char* name : {"P1", "P3", "P4", "P5", "P6", "P7", "P8", "1.jpg"})
    save(overlay(name, pictures.at(name), name[0] == 'P' && name[1] != '8' && name[1] != '1' ? 3 : 2),
         folder / (std::string("hotspots-") + name + ".png"));
  const std::pair<const char*, const char*> panels[] = {
      {"", "では、質問しますニャ！！"}, {"P4", "はい、名前を入力してくださいよ！"},
      {"P5", "あなたのお名前はー・・・ＰＯＭＵちゃんね、フーン"}, {"P6", "よしっ、で、あなた男の子？女の子？"},
      {"P7", "次は生年月日だねっ"}};
  for (const auto& [panel, speech] : panels)
    save(mockUp(pictures, panel, QString::fromUtf8(speech)),
         folder / (std::string("window-") + (panel[0] ? panel : "speech") + ".png"));
  save(resultMockUp(pictures), folder / "window-result.png");
  save(contactSheet(pictures), folder / "contact-sheet.png");
}

}  // namespace assetgen
