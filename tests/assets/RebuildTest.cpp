// Building the assets again gives the very bytes the build placed beside the program.
#include "GeneratedFiles.h"

#include "tools/assetgen/AssetBuilder.h"

#include <gtest/gtest.h>

namespace assettest {
namespace {
namespace fs = std::filesystem;

TEST(Rebuild, GivesTheSameBytesAsTheBuild) {
  const fs::path scratch = fs::temp_directory_path() / ("pomuri-assets-" + std::to_string(::getpid()));
  fs::remove_all(scratch);
  assetgen::AssetBuilder builder({POMURI_TEST_ASSET_SOURCES, scratch / "bin", scratch / "embedded"});
  builder.buildPictures();
  builder.buildSounds();
  builder.buildTune();
  builder.buildNames();
  int compared = 0;
  for (const char* folder : {"dat", "cg"})
    for (const auto& entry : fs::directory_iterator(scratch / "bin" / folder)) {
      const fs::path built = fs::path(POMURI_TEST_BIN_DIR) / folder / entry.path().filename();
      EXPECT_EQ(readBytes(entry.path()), readBytes(built)) << built;
      ++compared;
    }
  for (const auto& entry : fs::directory_iterator(scratch / "embedded")) {
    EXPECT_EQ(readBytes(entry.path()), readBytes(fs::path(POMURI_TEST_EMBEDDED_DIR) / entry.path().filename()))
        << entry.path().filename();
    ++compared;
  }
  EXPECT_EQ(compared, 21 + 1 + 1 + 14 + 10) << "waves, tune, names, cg pictures, embedded";
  fs::remove_all(scratch);
}

}  // namespace
}  // namespace assettest
