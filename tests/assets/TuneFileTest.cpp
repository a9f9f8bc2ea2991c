// The title tune: Standard MIDI File structure, instruments and length.
#include "GeneratedFiles.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace assettest {
namespace {

struct TuneFacts {
  int format = -1, trackCount = 0, division = 0;
  double seconds = 0;
  std::set<int> programs;
  bool minorKey = false;
  int unmatchedNotes = 0;
};

std::uint32_t varLength(const std::string& b, std::size_t& at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<std::uint8_t>(b.at(at++));
    v = (v << 7) | (byte & 0x7F);
    if (!(byte & 0x80)) return v;
  }
  throw std::runtime_error("variable-length number longer than 4 bytes");
}

TuneFacts readTune(const std::string& b) {
  TuneFacts facts;
  EXPECT_EQ(b.substr(0, 4), "MThd");
  EXPECT_EQ(be32(b, 4), 6u);
  facts.format = static_cast<int>(be16(b, 8));
  facts.trackCount = static_cast<int>(be16(b, 10));
  facts.division = static_cast<int>(be16(b, 12));
  std::map<std::uint32_t, std::uint32_t> tempoAt;  // tick → microseconds per quarter
  std::uint32_t lastTick = 0;
  std::size_t at = 14;
  for (int t = 0; t < facts.trackCount; ++t) {
    EXPECT_EQ(b.substr(at, 4), "MTrk") << "track " << t;
    const std::uint32_t length = be32(b, at + 4);
    const std::size_t end = at + 8 + length;
    EXPECT_LE(end, b.size()) << "track " << t << " runs past the file";
    if (end > b.size()) return facts;
    EXPECT_EQ(b.substr(end - 3, 3), std::string("\xFF\x2F\x00", 3)) << "track " << t << " ends with end-of-track";
    at += 8;
    std::uint32_t tick = 0;
    std::uint8_t status = 0;
    std::map<int, int> open;
    while (at < end) {
      tick += varLength(b, at);
      auto byte = static_cast<std::uint8_t>(b[at]);
      if (byte & 0x80) status = byte, ++at;
      if (status == 0xFF) {
        const auto type = static_cast<std::uint8_t>(b[at++]);
        const std::uint32_t n = varLength(b, at);
        if (type == 0x51) tempoAt[tick] = be16(b, at) << 8 | static_cast<std::uint8_t>(b[at + 2]);
        if (type == 0x59) facts.minorKey = b[at + 1] == 1;
        at += n;
      } else {
        const int kind = status & 0xF0;
        const int data1 = static_cast<std::uint8_t>(b[at++]);
        const int data2 = (kind == 0xC0 || kind == 0xD0) ? 0 : static_cast<std::uint8_t>(b[at++]);
        const int key = (status & 0x0F) * 128 + data1;
        if (kind == 0xC0) facts.programs.insert(data1);
        if (kind == 0x90 && data2 > 0) ++open[key];
        if (kind == 0x80 || (kind == 0x90 && data2 == 0)) --open[key];
      }
    }
    EXPECT_EQ(at, end) << "track " << t << " length field";
    for (const auto& [key, count] : open) facts.unmatchedNotes += std::abs(count);
    lastTick = std::max(lastTick, tick);
  }
  EXPECT_EQ(at, b.size()) << "bytes after the last track";
  // Duration through the tempo map (120 quarters a minute until the first tempo event).
  std::uint32_t tick = 0, micros = 500000;
  for (const auto& [at, tempo] : tempoAt) {
    facts.seconds += static_cast<double>(at - tick) / facts.division * micros / 1e6;
    tick = at, micros = tempo;
  }
  facts.seconds += static_cast<double>(lastTick - tick) / facts.division * micros / 1e6;
  return facts;
}

TEST(TuneFile, IsAFormatOneMidiFileOfOneToTwoMinutes) {
  const TuneFacts facts = readTune(readBytes(datFile("gos.mid")));
  EXPECT_EQ(facts.format, 1);
  EXPECT_GE(facts.trackCount, 4) << "a conductor track and the parts";
  EXPECT_GT(facts.division, 0);
  EXPECT_GE(facts.seconds, 60.0);
  EXPECT_LE(facts.seconds, 120.0);
  EXPECT_EQ(facts.unmatchedNotes, 0) << "every note is released";
  EXPECT_TRUE(facts.minorKey);
}

TEST(TuneFile, PlaysHarpsichordOrOrganWithStrings) {
  const TuneFacts facts = readTune(readBytes(datFile("gos.mid")));
  bool keyboard = false, strings = false;
  for (int program : facts.programs) {
    keyboard |= program == 6 || (program >= 16 && program <= 20);  // harpsichord, organs
    strings |= program >= 40 && program <= 51;                        // solo strings, ensembles
  }
  EXPECT_TRUE(keyboard);
  EXPECT_TRUE(strings);
}

}  // namespace
}  // namespace assettest
