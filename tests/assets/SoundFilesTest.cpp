// Every wave the game plays: RIFF PCM layout, format, length and level.
#include "GeneratedFiles.h"

#include <gtest/gtest.h>
#include <map>

namespace assettest {
namespace {

struct WaveInfo {
  int channels = 0, rate = 0, bits = 0;
  double seconds = 0;
  double peak = 0;  // 0..1 of full scale
};

// Parses and checks the RIFF structure; fails the test on any inconsistency.
WaveInfo inspect(const std::string& name) {
  WaveInfo info;
  const std::string b = readBytes(datFile(name));
  EXPECT_GE(b.size(), 44u) << name;
  if (b.size() < 44) return info;
  EXPECT_EQ(b.substr(0, 4), "RIFF") << name;
  EXPECT_EQ(le32(b, 4), b.size() - 8) << name << ": RIFF size";
  EXPECT_EQ(b.substr(8, 4), "WAVE") << name;
  EXPECT_EQ(b.substr(12, 4), "fmt ") << name;
  EXPECT_EQ(le32(b, 16), 16u) << name << ": PCM fmt chunk size";
  EXPECT_EQ(le16(b, 20), 1u) << name << ": PCM";
  info.channels = static_cast<int>(le16(b, 22));
  info.rate = static_cast<int>(le32(b, 24));
  info.bits = static_cast<int>(le16(b, 34));
  const std::uint32_t blockAlign = le16(b, 32);
  EXPECT_EQ(blockAlign, static_cast<std::uint32_t>(info.channels * info.bits / 8)) << name;
  EXPECT_EQ(le32(b, 28), info.rate * blockAlign) << name << ": byte rate";
  EXPECT_EQ(b.substr(36, 4), "data") << name;
  const std::uint32_t dataBytes = le32(b, 40);
  EXPECT_EQ(dataBytes % blockAlign, 0u) << name;
  EXPECT_EQ(44 + dataBytes + (dataBytes & 1), b.size()) << name << ": data runs to the end";
  if (44 + dataBytes > b.size() || blockAlign == 0) return info;
  info.seconds = static_cast<double>(dataBytes / blockAlign) / info.rate;
  for (std::uint32_t i = 0; i < dataBytes; i += info.bits / 8) {
    const double v = info.bits == 8 ? (static_cast<std::uint8_t>(b[44 + i]) - 128) / 128.0
                                    : static_cast<std::int16_t>(le16(b, 44 + i)) / 32768.0;
    info.peak = std::max(info.peak, std::abs(v));
  }
  return info;
}

const std::vector<std::string> kEffects = {"1.wav", "2.wav", "3.wav", "4.wav", "5.wav", "6.wav",
                                           "7.wav", "8.wav", "erace.wav", "ok.wav", "no.wav", "key.wav",
                                           "start.wav", "deta.wav"};
const std::vector<std::string> kJingles = {"guitar.wav", "kekka.wav", "blue.wav", "bad.wav",
                                           "soso.wav",   "good.wav",  "happy.wav"};

TEST(SoundFiles, EffectsAreShortPcmWavesWithAudibleUnclippedLevels) {
  for (const std::string& name : kEffects) {
    const WaveInfo w = inspect(name);
    EXPECT_GT(w.seconds, 0.02) << name;
    EXPECT_LT(w.seconds, 1.0) << name;
    EXPECT_GT(w.peak, 0.3) << name;
    EXPECT_LT(w.peak, 0.99) << name;
  }
}

TEST(SoundFiles, JinglesAreUnderFourSeconds) {
  for (const std::string& name : kJingles) {
    const WaveInfo w = inspect(name);
    EXPECT_GT(w.seconds, 1.0) << name;
    EXPECT_LT(w.seconds, 4.0) << name;
    EXPECT_GT(w.peak, 0.3) << name;
    EXPECT_LT(w.peak, 0.99) << name;
  }
}

TEST(SoundFiles, UseOnlyTheThreeFormatsAndEachOfThemSeveralTimes) {
  std::map<std::tuple<int, int, int>, int> formats;
  std::vector<std::string> all = kEffects;
  all.insert(all.end(), kJingles.begin(), kJingles.end());
  for (const std::string& name : all) {
    const WaveInfo w = inspect(name);
    ++formats[{w.bits, w.channels, w.rate}];
  }
  const std::tuple<int, int, int> expected[] = {{8, 1, 11025}, {16, 1, 22050}, {16, 2, 44100}};
  int counted = 0;
  for (const auto& f : expected) {
    EXPECT_GE(formats[f], 3) << std::get<0>(f) << "-bit " << std::get<1>(f) << " ch " << std::get<2>(f);
    counted += formats[f];
  }
  EXPECT_EQ(counted, static_cast<int>(all.size())) << "a wave in a format outside the set";
}

}  // namespace
}  // namespace assettest
