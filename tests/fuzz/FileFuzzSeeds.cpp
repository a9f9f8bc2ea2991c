// Writes the seed corpora of the file-reader fuzzers, one folder each under the given
// folder: profile/, namelist/, ini/ (texts as the game writes or ships them, and broken
// ones), jpeg/ and bmp/ (small pictures in the kinds of encoding each reader meets).
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/core/ProfileFile.h"

namespace {

namespace fs = std::filesystem;

void save(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

QImage sample(int width, int height, QImage::Format format) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(image.rect(), Qt::white);
  painter.setPen(Qt::red);
  painter.drawEllipse(2, 2, width - 4, height - 4);
  painter.end();
  return image.convertToFormat(format);
}

std::string encode(const QImage& image, const char* format, bool progressive = false, int quality = 75) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return bytes.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: file_fuzz_seeds FOLDER\n");
    return 2;
  }
  const fs::path root = argv[1];

  game::tmy player;
  player.playerName = "ＡＬＩＣＥ";
  player.birthMonth = 5;
  player.birthDay = 12;
  player.playerSex = 2;
  player.readingCount = 7;
  save(root / "profile" / "saved", game::encodeProfile(player));
  save(root / "profile" / "short", "0\r\n0\r\nBOB\r\n-1\n99999999999\r\n");
  save(root / "profile" / "extra", game::encodeProfile(player) + "x\r\n");

  save(root / "namelist" / "names", "\x82\x60\x82\x61\r\n\xC1\xAC\xBA\r\n\r\nNAME\n\x82\r\n");
  std::string many;
  for (int i = 0; i < 300; ++i) many += "n" + std::to_string(i) + "\r\n";
  save(root / "namelist" / "many", many);

  save(root / "ini" / "shipped", "[default]\nWaveBlocks=4\nWaveBlockLen=512\nSamplesPerSec=44\n"
                                 "Remix=1\nGoodWavePos=1\n[general]\nWaveOutDevice=0\nShowDevices=0\n");
  save(root / "ini" / "broken", "[default\nWaveBlocks=3\n=5\n[ALSA default]\nWaveBlockLen=  -7 ; x\n"
                                "Channels=2\\\n  more\n");
  save(root / "ini" / "bom", "\xEF\xBB\xBF[general]\r\nWaveOutDevice=1\r\n");

  const QImage colour = sample(37, 41, QImage::Format_RGB32);
  save(root / "jpeg" / "baseline.jpg", encode(colour, "jpg"));
  save(root / "jpeg" / "progressive.jpg", encode(colour, "jpg", true));
  save(root / "jpeg" / "grey.jpg", encode(sample(16, 9, QImage::Format_Grayscale8), "jpg", false, 20));
  const std::string whole = encode(colour, "jpg");
  save(root / "jpeg" / "cut.jpg", whole.substr(0, whole.size() / 2));

  save(root / "bmp" / "rgb24.bmp", encode(colour, "bmp"));
  save(root / "bmp" / "indexed8.bmp", encode(sample(20, 7, QImage::Format_Indexed8), "bmp"));
  save(root / "bmp" / "mono.bmp", encode(sample(9, 9, QImage::Format_Mono), "bmp"));
  save(root / "bmp" / "argb.bmp", encode(sample(5, 4, QImage::Format_ARGB32), "bmp"));
  return 0;
}
