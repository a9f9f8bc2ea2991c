// Which mixer settings file the game reads: the user's own before the one it ships.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "game/view/SoundSystem.h"

namespace {

namespace fs = std::filesystem;

class SoundSettingsTest : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("pomuri-ini-" + std::to_string(::getpid()));
  void SetUp() override {
    fs::create_directories(dir / "config");
    std::ofstream(dir / "shipped.ini") << "[default]\nWaveBlocks=4\n";
    ::unsetenv("WAVEMIX_INI");
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("WAVEMIX_INI");
    ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(dir);
  }
};

TEST_F(SoundSettingsTest, TheShippedFileServesWhenTheUserHasNone) {
  EXPECT_EQ(game::mixerSettingsFile(dir / "shipped.ini"), dir / "shipped.ini");
  EXPECT_EQ(game::mixerSettingsFile(dir / "missing.ini"), fs::path());
  EXPECT_EQ(game::mixerSettingsFile({}), fs::path());
}

TEST_F(SoundSettingsTest, TheUsersOwnFileWins) {
  std::ofstream(dir / "config" / "WAVEMIX.INI") << "[default]\nWaveBlocks=6\n";
  EXPECT_EQ(game::mixerSettingsFile(dir / "shipped.ini"), dir / "config" / "WAVEMIX.INI");
  ::setenv("WAVEMIX_INI", (dir / "mine.ini").c_str(), 1);
  EXPECT_EQ(game::mixerSettingsFile(dir / "shipped.ini"), dir / "mine.ini");
}

}  // namespace
