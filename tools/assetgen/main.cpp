// assetgen: makes every picture, sound, the tune and the name list of the game from the
// sources in assets/.
//
//   assetgen --sources DIR --bin DIR --embedded DIR [--review DIR]
//   assetgen --icons DIR
//
// --review also writes PNG sheets for looking the art over: each panel with its hotspots
// outlined, mock-ups of the window at 1:1, and a contact sheet. --icons writes only the
// desktop icons, <DIR>/<N>x<N>/pomuri.png.
#include "tools/assetgen/AssetBuilder.h"
#include "tools/assetgen/DesktopIcons.h"
#include "tools/assetgen/ReviewSheets.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  assetgen::BuildPaths paths;
  std::filesystem::path review;
  std::filesystem::path icons;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--sources") == 0) paths.sources = argv[i + 1];
    else if (std::strcmp(argv[i], "--bin") == 0) paths.binDir = argv[i + 1];
    else if (std::strcmp(argv[i], "--embedded") == 0) paths.embedded = argv[i + 1];
    else if (std::strcmp(argv[i], "--review") == 0) review = argv[i + 1];
    else if (std::strcmp(argv[i], "--icons") == 0) icons = argv[i + 1];
  }
  if (!icons.empty() && paths.sources.empty() && paths.binDir.empty() && paths.embedded.empty()) {
    try {
      assetgen::DesktopIcons::write(icons);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "assetgen: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  if (paths.sources.empty() || paths.binDir.empty() || paths.embedded.empty()) {
    std::fprintf(stderr, "usage: assetgen --sources DIR --bin DIR --embedded DIR [--review DIR]\n"
                         "       assetgen --icons DIR\n");
    return 2;
  }
  try {
    assetgen::AssetBuilder builder(paths);
    builder.buildPictures();
    builder.buildSounds();
    builder.buildTune();
    builder.buildNames();
    if (!review.empty()) assetgen::ReviewSheets::write(builder.renderedPictures(), review);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
