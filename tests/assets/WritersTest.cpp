// The generator's building blocks, driven directly with small inputs.
#include "tools/assetgen/BmpWriter.h"
#include "tools/assetgen/NameListWriter.h"
#include "tools/assetgen/NoteName.h"
#include "tools/assetgen/PaletteQuantizer.h"
#include "tools/assetgen/SmfWriter.h"
#include "tools/assetgen/SoundRecipe.h"
#include "tools/assetgen/SoundSynth.h"
#include "tools/assetgen/TuneArranger.h"
#include "tools/assetgen/TuneScore.h"
#include "tools/assetgen/WavWriter.h"

#include "GeneratedFiles.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>

namespace assetgen {
namespace {
using assettest::le16;
using assettest::le32;

QImage stripes(int width, int height, const std::vector<QRgb>& colours) {
  QImage img(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, colours[(x + y * 3) % colours.size()]);
  return img;
}

TEST(PaletteQuantizer, KeepsExactColoursWhenTheyFit) {
  const std::vector<QRgb> colours = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  const IndexedPicture out = PaletteQuantizer::reduce(stripes(7, 5, colours), 4);
  ASSERT_EQ(out.palette.size(), 3u);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(out.palette[out.at(x, y)], colours[(x + y * 3) % 3]);
}

TEST(PaletteQuantizer, SnapsToAFixedPaletteAndDropsUnusedEntries) {
  QImage img(4, 1, QImage::Format_RGB32);
  img.setPixel(0, 0, qRgb(250, 5, 5));
  img.setPixel(1, 0, qRgb(10, 10, 240));
  img.setPixel(2, 0, qRgb(200, 30, 40));
  img.setPixel(3, 0, qRgb(0, 0, 255));
  const IndexedPicture out = PaletteQuantizer::reduce(img, 3, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)});
  ASSERT_EQ(out.palette.size(), 2u) << "green is never used";
  EXPECT_EQ(out.palette[out.at(0, 0)], qRgb(255, 0, 0));
  EXPECT_EQ(out.palette[out.at(1, 0)], qRgb(0, 0, 255));
  EXPECT_EQ(out.palette[out.at(2, 0)], qRgb(255, 0, 0));
  EXPECT_EQ(out.palette[out.at(3, 0)], qRgb(0, 0, 255));
}

TEST(PaletteQuantizer, StaysWithinBudgetAndKeepsRequiredColoursExact) {
  // A smooth gradient with far more colours than allowed, and a rare colour that must survive.
  QImage img(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgb(x * 4, y * 4, 128));
  img.setPixel(5, 5, qRgb(255, 0, 255));
  const IndexedPicture out = PaletteQuantizer::reduce(img, 16, {}, {qRgb(255, 0, 255)});
  EXPECT_LE(out.palette.size(), 16u);
  EXPECT_EQ(out.palette[out.at(5, 5)], qRgb(255, 0, 255));
  std::set<int> used(out.pixels.begin(), out.pixels.end());
  EXPECT_EQ(used.size(), out.palette.size());
}

TEST(PaletteQuantizer, RejectsImpossibleBudgets) {
  const QImage img = stripes(2, 2, {0xFF000000});
  EXPECT_THROW(PaletteQuantizer::reduce(img, 0), std::invalid_argument);
  EXPECT_THROW(PaletteQuantizer::reduce(img, 257), std::invalid_argument);
  EXPECT_THROW(PaletteQuantizer::reduce(img, 1, {qRgb(1, 1, 1), qRgb(2, 2, 2)}), std::invalid_argument);
}

class BmpRoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(BmpRoundTrip, QtReadsBackEveryPixel) {
  const auto [width, depth] = GetParam();
  const std::vector<QRgb> colours = {0xFFFF00FF, 0xFF123456, 0xFFABCDEF, 0xFF000000, 0xFFFFFFFF};
  const QImage source = stripes(width, 3, colours);
  const IndexedPicture indexed = PaletteQuantizer::reduce(source, 16);
  const std::string bytes = BmpWriter::encode(indexed, depth);
  std::set<QRgb> used;
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) used.insert(source.pixel(x, y));
  EXPECT_EQ(le32(bytes, 46), used.size());
  EXPECT_EQ(le16(bytes, 28), static_cast<std::uint32_t>(depth));
  const QImage back = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), source);
}

// Odd widths exercise the row padding to four bytes (and half-bytes at 4 bits).
INSTANTIATE_TEST_SUITE_P(WidthsAndDepths, BmpRoundTrip,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 8, 13), ::testing::Values(4, 8)));

TEST(BmpWriter, RefusesAPaletteTooLargeForFourBits) {
  IndexedPicture p;
  p.width = 1, p.height = 1, p.pixels = {0};
  p.palette.assign(17, 0xFF000000);
  EXPECT_THROW(BmpWriter::encode(p, 4), std::invalid_argument);
  EXPECT_NO_THROW(BmpWriter::encode(p, 8));
  EXPECT_THROW(BmpWriter::encode(p, 24), std::invalid_argument);
}

TEST(WavWriter, WritesUnsignedEightBitAndSignedSixteenBitWithClipping) {
  const std::string eight = WavWriter::encode({8, 1, 11025}, {0.0f, 1.0f, -1.0f, 2.0f, -3.0f});
  ASSERT_EQ(eight.size(), 44u + 5 + 1) << "odd data is padded";
  EXPECT_EQ(le32(eight, 40), 5u);
  EXPECT_EQ(static_cast<std::uint8_t>(eight[44]), 128);
  EXPECT_EQ(static_cast<std::uint8_t>(eight[45]), 255);
  EXPECT_EQ(static_cast<std::uint8_t>(eight[46]), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(eight[47]), 255);
  EXPECT_EQ(static_cast<std::uint8_t>(eight[48]), 1);
  const std::string sixteen = WavWriter::encode({16, 2, 44100}, {0.5f, -0.5f});
  EXPECT_EQ(le32(sixteen, 28), 44100u * 4);
  EXPECT_EQ(static_cast<std::int16_t>(le16(sixteen, 44)), 16384);
  EXPECT_EQ(static_cast<std::int16_t>(le16(sixteen, 46)), -16384);
  EXPECT_THROW(WavWriter::encode({16, 2, 44100}, {0.1f}), std::invalid_argument);
  EXPECT_THROW(WavWriter::encode({24, 1, 44100}, {0.1f}), std::invalid_argument);
}

TEST(NoteName, ReadsScientificPitchNames) {
  EXPECT_EQ(NoteName::midiKey("A4"), 69);
  EXPECT_EQ(NoteName::midiKey("C4"), 60);
  EXPECT_EQ(NoteName::midiKey("C#5"), 73);
  EXPECT_EQ(NoteName::midiKey("Bb2"), 46);
  EXPECT_FALSE(NoteName::midiKey("H4").has_value());
  EXPECT_FALSE(NoteName::midiKey("A").has_value());
  EXPECT_FALSE(NoteName::midiKey("A44").has_value());
  EXPECT_NEAR(NoteName::frequency(69), 440.0, 1e-9);
  EXPECT_NEAR(NoteName::frequency(81), 880.0, 1e-9);
}

TEST(SoundRecipe, ParsesWavesAndVoicesAndNamesTheBadLine) {
  const auto recipes = SoundRecipeParser::parse(
      "# comment\nwave a.wav bits=8 channels=1 rate=11025 peak=0.5\n"
      "voice sine t=0 d=0.1 f=A4 g=880 a=1\nwave b.wav bits=16 channels=2 rate=44100\n"
      "voice pluck d=0.2 f=C#3 # trailing note\n");
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].format.bitsPerSample, 8);
  EXPECT_NEAR(recipes[0].voices[0].freq, 440.0, 1e-9);
  EXPECT_NEAR(recipes[0].voices[0].endFreq, 880.0, 1e-9);
  EXPECT_EQ(recipes[1].voices[0].kind, VoiceKind::Pluck);
  EXPECT_NEAR(recipes[1].voices[0].endFreq, recipes[1].voices[0].freq, 1e-9);
  try {
    SoundRecipeParser::parse("wave a.wav\nvoice sine d=0.1\nvoice buzz d=1\n");
    FAIL() << "an unknown voice kind must be refused";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
  EXPECT_THROW(SoundRecipeParser::parse("voice sine d=0.1\n"), std::runtime_error);
  EXPECT_THROW(SoundRecipeParser::parse("wave a.wav\nvoice sine d=-1\n"), std::runtime_error);
}

TEST(SoundSynth, ScalesToThePeakAndLastsAsLongAsTheVoices) {
  SoundRecipe recipe;
  recipe.format = {16, 2, 8000};
  recipe.peak = 0.6;
  Voice v;
  v.duration = 0.25;
  v.freq = v.endFreq = 400;
  v.start = 0.05;
  recipe.voices = {v};
  const std::vector<float> samples = SoundSynth::render(recipe);
  EXPECT_EQ(samples.size(), static_cast<std::size_t>(0.30 * 8000) * 2);
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  EXPECT_NEAR(peak, 0.6, 1e-4);
  for (std::size_t i = 0; i < 0.05 * 8000 * 2; ++i) ASSERT_EQ(samples[i], 0.0f) << "silent before the voice starts";
  EXPECT_EQ(SoundSynth::render(recipe), samples) << "deterministic";
}

TEST(SmfWriter, EncodesVariableLengthDeltasAndReleasesBeforeAttacks) {
  MidiTrack track;
  track.events.push_back(SmfWriter::noteOn(200, 0, 60, 100));
  track.events.push_back(SmfWriter::noteOff(200, 0, 60));
  track.events.push_back(SmfWriter::noteOn(0, 0, 60, 100));
  const std::string b = SmfWriter::encode({track}, 480);
  EXPECT_EQ(b.substr(0, 4), "MThd");
  EXPECT_EQ(assettest::be16(b, 10), 1u);
  EXPECT_EQ(assettest::be16(b, 12), 480u);
  const std::string expected("\x00\x90\x3C\x64"      // note on at 0
                             "\x81\x48\x80\x3C\x40"  // 200 ticks later (two-byte delta): release first
                             "\x00\x90\x3C\x64"      // then the new attack
                             "\x00\xFF\x2F\x00",
                             17);
  EXPECT_EQ(assettest::be32(b, 18), expected.size());
  EXPECT_EQ(b.substr(22), expected);
  EXPECT_THROW(SmfWriter::noteOn(0, 16, 60, 1), std::invalid_argument);
  EXPECT_THROW(SmfWriter::noteOn(0, 0, 128, 1), std::invalid_argument);
}

TEST(TuneScore, ChecksBarsChordsAndForm) {
  const char* good = "tempo 120\nbeats 3\npart melody channel=0 program=6\npart bass channel=3 program=32\n"
                     "section s\nchords Am E7\nmelody A4/q C5/q E5/q | G#4/dh\nform s s\n";
  const TuneScore score = TuneScore::parse(good);
  EXPECT_EQ(score.sections.at("s").chords.size(), 2u);
  EXPECT_EQ(score.sections.at("s").chords[1].intervals, (std::vector<int>{0, 4, 7, 10}));
  EXPECT_NEAR(TuneArranger::durationSeconds(score), 5 * 3 * 0.5, 1e-9) << "four bars and the held chord";
  const auto tracks = TuneArranger::arrange(score);
  EXPECT_EQ(tracks.size(), 3u);

  EXPECT_THROW(TuneScore::parse("section s\nchords Am\nmelody A4/q | C5/h\n"), std::runtime_error)
      << "a bar line inside a bar";
  EXPECT_THROW(TuneScore::parse("section s\nchords Am Am\nmelody A4/dh\n"), std::runtime_error)
      << "melody shorter than its chords";
  EXPECT_THROW(TuneScore::parse("section s\nchords Hm\nmelody A4/dh\n"), std::runtime_error);
  EXPECT_THROW(TuneScore::parse("section s\nchords Am\nmelody A4/dh\nform s t\n"), std::runtime_error);
}

TEST(NameListWriter, WritesFullWidthCp932AndRefusesOtherLetters) {
  const std::string out = NameListWriter::encode({"AI", "YUKI"}, 2);
  EXPECT_EQ(out, std::string("\x82\x60\x82\x68\r\n\x82\x78\x82\x74\x82\x6A\x82\x68\r\n"));
  EXPECT_THROW(NameListWriter::encode({"HANA"}, 1), std::runtime_error) << "no H tile";
  EXPECT_THROW(NameListWriter::encode({"A"}, 1), std::runtime_error) << "too short";
  EXPECT_THROW(NameListWriter::encode({"AAAAAAAAAA"}, 1), std::runtime_error) << "too long";
  EXPECT_THROW(NameListWriter::encode({"AI"}, 2), std::runtime_error) << "wrong count";
  EXPECT_EQ(NameListWriter::readNames("# c\nAI\r\n\nYUKI\n"), (std::vector<std::string>{"AI", "YUKI"}));
}

}  // namespace
}  // namespace assetgen
