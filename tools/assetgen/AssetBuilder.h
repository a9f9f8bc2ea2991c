#pragma once
// Builds every asset file from the sources in assets/: pictures, sounds, the tune and the
// name list. Output is the same, byte for byte, on every run.
#include "tools/assetgen/IndexedPicture.h"

#include <QImage>
#include <filesystem>
#include <map>
#include <string>

namespace assetgen {

struct BuildPaths {
  std::filesystem::path sources;   // the assets/ folder
  std::filesystem::path binDir;    // receives dat/ and cg/
  std::filesystem::path embedded;  // receives P1.bmp … icon.bmp and EmbeddedPictureData.cpp
};

class AssetBuilder {
 public:
  explicit AssetBuilder(BuildPaths paths) : paths_(std::move(paths)) {}

  // Each throws std::runtime_error on a malformed source or a file that cannot be written.
  void buildPictures();
  void buildSounds();
  void buildTune();
  void buildNames();

  // The pictures as the game will see them (after colour reduction), by name.
  const std::map<std::string, QImage>& renderedPictures() const { return rendered_; }

 private:
  std::string readSource(const std::filesystem::path& relative) const;
  static void writeFile(const std::filesystem::path& path, const std::string& bytes);

  BuildPaths paths_;
  std::map<std::string, QImage> rendered_;
};

}  // namespace assetgen
