#include "tools/assetgen/AssetBuilder.h"

#include "assets/art/PictureCatalog.h"
#include "tools/assetgen/BmpWriter.h"
#include "tools/assetgen/EmbeddedSourceWriter.h"
#include "tools/assetgen/JpegWriter.h"
#include "tools/assetgen/NameListWriter.h"
#include "tools/assetgen/PaletteQuantizer.h"
#include "tools/assetgen/SmfWriter.h"
#include "tools/assetgen/SoundRecipe.h"
#include "tools/assetgen/SoundSynth.h"
#include "tools/assetgen/TuneArranger.h"
#include "tools/assetgen/TuneScore.h"
#include "tools/assetgen/WavWriter.h"

#include <QPainter>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {
namespace fs = std::filesystem;

std::string AssetBuilder::readSource(const fs::path& relative) const {
  std::ifstream in(paths_.sources / relative, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + (paths_.sources / relative).string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void AssetBuilder::writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void AssetBuilder::buildPictures() {
  std::vector<std::pair<std::string, std::string>> blobs;
  for (const art::PictureSpec& spec : art::pictureCatalog()) {
    QImage canvas(spec.size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
      QPainter painter(&canvas);
      painter.setRenderHint(QPainter::Antialiasing, true);
      painter.setRenderHint(QPainter::TextAntialiasing, true);
      painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
      spec.draw(painter);
    }
    std::string bytes;
    if (spec.encoding == art::PictureEncoding::Jpeg) {
      bytes = JpegWriter::encode(canvas);
      rendered_[spec.name] = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                              static_cast<int>(bytes.size()), "JPG");
      if (rendered_[spec.name].isNull()) rendered_[spec.name] = canvas;
    } else {
      const IndexedPicture indexed =
          PaletteQuantizer::reduce(canvas, spec.maxColours, spec.fixedPalette, spec.mustKeep);
      bytes = BmpWriter::encode(indexed, spec.bitsPerPixel);
      rendered_[spec.name] =
          QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
    }
    if (spec.destination == art::PictureDestination::Embedded) {
      writeFile(paths_.embedded / (spec.name + ".bmp"), bytes);
      blobs.emplace_back(spec.name, bytes);
    } else {
      writeFile(paths_.binDir / "cg" / spec.name, bytes);
    }
  }
  writeFile(paths_.embedded / "EmbeddedPictureData.cpp", EmbeddedSourceWriter::encode(blobs));
}

void AssetBuilder::buildSounds() {
  for (const SoundRecipe& recipe : SoundRecipeParser::parse(readSource("sounds/sounds.txt")))
    writeFile(paths_.binDir / "dat" / recipe.fileName, WavWriter::encode(recipe.format, SoundSynth::render(recipe)));
}

void AssetBuilder::buildTune() {
  const TuneScore score = TuneScore::parse(readSource("music/gos.txt"));
  writeFile(paths_.binDir / "dat" / "gos.mid",
            SmfWriter::encode(TuneArranger::arrange(score), TuneScore::kTicksPerQuarter));
}

void AssetBuilder::buildNames() {
  writeFile(paths_.binDir / "dat" / "name.dat",
            NameListWriter::encode(NameListWriter::readNames(readSource("names/names.txt")), 255));
}

}  // namespace assetgen
