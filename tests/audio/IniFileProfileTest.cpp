#include "audio/IniFileProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/AppPaths.h"

namespace platform {
namespace {

TEST(IniFileProfileTest, LeadingIntegerRule) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"42", 42},       {"  42", 42},     {"\t7", 7},        {"-3", -3},     {"+5", 5},
      {"12abc", 12},    {"4096 bytes", 4096}, {"abc", 0},     {"", 0},        {"-", 0},
      {"- 5", 0},       {"0x10", 0},      {"1.9", 1},        {"007", 7},
      {"99999999999", INT_MAX},           {"-99999999999", INT_MIN},          {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(IniFileProfile::leadingInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(IniFileProfileTest, NamesAreCaseInsensitiveAndAbsentKeysGiveTheDefault) {
  const IniFileProfile profile = IniFileProfile::fromText(
      "[General]\n"
      "WaveOutDevice=2\n"
      "[default]\n"
      "remix = 2 ; comment\n"
      "WaveBlocks=abc\n"
      "Empty=\n"
      "[ALSA default]\n"
      "WAVEBLOCKLEN=1026\n"
      "[not compatible]\n"
      "Some Card=1\n");
  struct Case {
    const char* section;
    const char* key;
    int expected;
  };
  const Case cases[] = {
      {"general", "waveoutdevice", 2},
      {"GENERAL", "WaveOutDevice", 2},
      {"default", "Remix", 2},
      {"default", "WaveBlocks", 0},      // present without a number
      {"default", "Empty", 0},
      {"default", "SamplesPerSec", -77},  // absent key
      {"alsa DEFAULT", "WaveBlockLen", 1026},
      {"not compatible", "some card", 1},
      {"not compatible", "Other Card", -77},
      {"missing", "Remix", -77},          // absent section
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile.getInt(c.section, c.key, -77), c.expected) << "[" << c.section << "] " << c.key;
  }
}

TEST(IniFileProfileTest, FirstOccurrenceOfAKeyWins) {
  const IniFileProfile profile = IniFileProfile::fromText("[default]\nRemix=1\nREMIX=2\n[Default]\nremix=3\n");
  EXPECT_EQ(profile.getInt("default", "Remix", 0), 1);
}

TEST(IniFileProfileTest, MalformedLinesAreSkipped) {
  const IniFileProfile profile = IniFileProfile::fromText("[default]\nthis line has no equals\nWaveBlocks=5\n");
  EXPECT_EQ(profile.getInt("default", "WaveBlocks", 3), 5);
}

TEST(IniFileProfileTest, EmptyProfileGivesEveryDefault) {
  const IniFileProfile profile;
  EXPECT_FALSE(profile.loaded());
  EXPECT_EQ(profile.getInt("default", "Remix", 1), 1);
  EXPECT_EQ(IniFileProfile::fromFile("/nonexistent/WAVEMIX.INI").getInt("general", "WaveOutDevice", 9), 9);
  EXPECT_FALSE(IniFileProfile::fromFile("/nonexistent/WAVEMIX.INI").loaded());
}

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
}

// One test walks the whole lookup order, because the middle step uses the folder of the
// test program itself, which no other test may see populated.
TEST(IniFileProfileTest, LookupOrderIsEnvironmentThenProgramFolderThenConfigHome) {
  const auto scratch = std::filesystem::temp_directory_path() / ("wavemix-ini-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch / "config");
  const auto besideProgram = executableDir() / "WAVEMIX.INI";
  ASSERT_FALSE(std::filesystem::exists(besideProgram)) << "leftover " << besideProgram;
  // Removed however the test ends, so a failure cannot leave a file behind for later runs.
  struct Cleanup {
    std::filesystem::path file, folder;
    ~Cleanup() {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
      std::filesystem::remove_all(folder, ignored);
    }
  } cleanup{besideProgram, scratch};
  ScopedEnv config("XDG_CONFIG_HOME", (scratch / "config").string());

  {
    ScopedEnv chosen("WAVEMIX_INI", std::nullopt);
    EXPECT_EQ(locateWaveMixIni(), std::filesystem::path()) << "no file anywhere";
    EXPECT_EQ(loadWaveMixIni()->getInt("default", "WaveBlocks", 3), 3);

    writeText(scratch / "config" / "WAVEMIX.INI", "[default]\nWaveBlocks=4\n");
    EXPECT_EQ(locateWaveMixIni(), scratch / "config" / "WAVEMIX.INI");
    EXPECT_EQ(loadWaveMixIni()->getInt("default", "WaveBlocks", 3), 4);

    writeText(besideProgram, "[default]\nWaveBlocks=5\n");
    EXPECT_EQ(locateWaveMixIni(), besideProgram);
    EXPECT_EQ(loadWaveMixIni()->getInt("default", "WaveBlocks", 3), 5);
  }
  {
    writeText(scratch / "chosen.ini", "[DEFAULT]\nwaveblocks=6\n");
    ScopedEnv chosen("WAVEMIX_INI", (scratch / "chosen.ini").string());
    EXPECT_EQ(loadWaveMixIni()->getInt("default", "WaveBlocks", 3), 6);
  }
  {
    // Naming a file that does not exist forces every default, even with files elsewhere.
    ScopedEnv chosen("WAVEMIX_INI", (scratch / "absent.ini").string());
    EXPECT_EQ(loadWaveMixIni()->getInt("default", "WaveBlocks", 3), 3);
  }
}

// Settings that cannot be used are not passed over in silence: one line naming the file,
// and the defaults. A pipe with no writer would hold a blocking open (the time limit ends it).
TEST(IniFileProfileTest, UnusableFilesAreNamedOnStandardErrorAndGiveDefaults) {
  const auto scratch = std::filesystem::temp_directory_path() / ("wavemix-bad-ini-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch / "folder.ini");
  struct Cleanup {
    std::filesystem::path folder;
    ~Cleanup() {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    }
  } cleanup{scratch};
  ASSERT_EQ(::mkfifo((scratch / "pipe.ini").c_str(), 0600), 0);
  writeText(scratch / "utf16.ini", std::string("\xFF\xFE[\0d\0e\0f\0]\0\n\0", 14));
  writeText(scratch / "binary.ini", std::string("\x7F" "ELF\x02\x01\x01\0\0\0WaveBlocks=9\n", 22));
  writeText(scratch / "unclosed.ini", "[default\nWaveBlocks=9\n");
  for (const char* name : {"folder.ini", "pipe.ini", "utf16.ini", "binary.ini", "unclosed.ini"}) {
    const std::filesystem::path file = scratch / name;
    ::testing::internal::CaptureStderr();
    const IniFileProfile profile = IniFileProfile::fromFile(file);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(profile.getInt("default", "WaveBlocks", 3), 3) << name;
    EXPECT_NE(said.find(": " + file.string() + ": "), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

}  // namespace
}  // namespace platform
