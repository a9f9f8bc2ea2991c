// Loading waves from memory files, files and resources, and every way loading can fail.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "MixerTestSupport.h"
#include "platform/core/ResourceModule.h"

namespace wavemix::testing {
namespace {

using B = RiffBuilder;

class WaveLoadingTest : public MixerTest {
 protected:
  void SetUp() override {
    MixerTest::SetUp();
    init();
  }
  // Loads `image` from memory and expects the failure `text`.
  void expectRejected(const std::vector<std::uint8_t>& image, const std::string& text) {
    MemoryFileInfo info;
    info.buffer = image.data();
    info.bufferSize = static_cast<std::int32_t>(image.size());
    EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, WaveMixMemorySource(&info), nullptr, kOpenFromMemory), text);
  }
  std::vector<std::uint8_t> dataOf(const WaveMixWave* wave) {
    return std::vector<std::uint8_t>(wave->header.data, wave->header.data + wave->header.bufferLength);
  }
};

TEST_F(WaveLoadingTest, MemoryFileInTheSessionFormatKeepsItsBytes) {
  WaveMixWave* wave = loadSamples({1, 2, 3, 250});
  EXPECT_EQ(dataOf(wave), (std::vector<std::uint8_t>{1, 2, 3, 250}));
  EXPECT_EQ(wave->format.formatTag, 1);
  EXPECT_EQ(wave->format.samplesPerSec, 11025u);
  EXPECT_EQ(wave->header.flags, 0u);
  EXPECT_STREQ(wave->name, "");
}

TEST_F(WaveLoadingTest, RecordKeepsTheSourceFormatAndHoldsConvertedData) {
  WaveMixWave* wave = loadMemory(B::wave(2, 22050, 16, pcm16({0x1000, 0x3000, -0x1000, 0, 0x7F00, 0x7F00, 0x0100, 0x0100})));
  EXPECT_EQ(wave->format.channels, 2);
  EXPECT_EQ(wave->format.samplesPerSec, 22050u);
  EXPECT_EQ(wave->format.bitsPerSample, 16);
  EXPECT_EQ(wave->format.blockAlign, 4);
  EXPECT_EQ(dataOf(wave), (std::vector<std::uint8_t>{140, 255}));
}

TEST_F(WaveLoadingTest, ChunksAreFoundPastOthersAndPadding) {
  // An odd-sized chunk before "fmt " is padded to an even size; a "LIST" sits between.
  auto image = B::riff("WAVE", {B::chunk("junk", {9, 9, 9}), B::fmt(1, 1, 11025, 8),
                                B::chunk("LIST", {1, 2, 3, 4}), B::chunk("data", {7, 8, 9})});
  EXPECT_EQ(dataOf(loadMemory(image)), (std::vector<std::uint8_t>{7, 8, 9}));
}

TEST_F(WaveLoadingTest, RiffSizeLargerThanTheImageIsTolerated) {
  auto image = B::wave(1, 11025, 8, {5, 6});
  image[4] = 0xFF;
  image[5] = 0xFF;
  image[6] = 0xFF;
  image[7] = 0x7F;
  EXPECT_EQ(dataOf(loadMemory(image)), (std::vector<std::uint8_t>{5, 6}));
}

struct RejectCase {
  const char* name;
  std::vector<std::uint8_t> image;
  const char* message;
};

class RejectedImageTest : public WaveLoadingTest, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(RejectedImageTest, RaisesItsMessageAndKeepsNothing) {
  expectRejected(GetParam().image, GetParam().message);
}

std::vector<std::uint8_t> truncated(std::vector<std::uint8_t> image, std::size_t keep) {
  image.resize(keep);
  return image;
}

std::vector<std::uint8_t> fmtOfSize(std::uint32_t size) {
  std::vector<std::uint8_t> body(size, 1);
  return B::chunk("fmt ", body);
}

INSTANTIATE_TEST_SUITE_P(
    Images, RejectedImageTest,
    ::testing::Values(
        RejectCase{"OtherForm", B::riff("AVI ", {B::fmt(1, 1, 11025, 8), B::chunk("data", {1})}), "This is not a WAVE file"},
        RejectCase{"NotRiff", B::chunk("RIFX", {'W', 'A', 'V', 'E'}), "This is not a WAVE file"},
        RejectCase{"TooShortForAHeader", {'R', 'I', 'F', 'F', 4, 0}, "This is not a WAVE file"},
        RejectCase{"NoFmt", B::riff("WAVE", {B::chunk("data", {1, 2})}), "WAVE file is corrupted"},
        RejectCase{"FmtTooSmall", B::riff("WAVE", {fmtOfSize(14), B::chunk("data", {1, 2})}), "Failed to read format chunk"},
        RejectCase{"FmtCutOff", truncated(B::riff("WAVE", {B::fmt(1, 1, 11025, 8)}), 30), "Failed to read format chunk"},
        RejectCase{"NotPcm", B::riff("WAVE", {B::fmt(2, 1, 11025, 8), B::chunk("data", {1})}), "The file is not a PCM file"},
        RejectCase{"NoData", B::riff("WAVE", {B::fmt(1, 1, 11025, 8)}), "WAVE file has no data chunk"},
        RejectCase{"DataBeforeFmt", B::riff("WAVE", {B::chunk("data", {1}), B::fmt(1, 1, 11025, 8)}), "WAVE file has no data chunk"},
        RejectCase{"EmptyData", B::riff("WAVE", {B::fmt(1, 1, 11025, 8), B::chunk("data", {})}), "The data chunk has no data"},
        RejectCase{"DataCutOff", B::riff("WAVE", {B::fmt(1, 1, 11025, 8), B::chunk("data", {1, 2, 3}, 1000000)}), "Failed to read data chunk"},
        RejectCase{"DataSizeHuge", B::riff("WAVE", {B::fmt(1, 1, 11025, 8), B::chunk("data", {1, 2}, 0xFFFFFFF0u)}), "Failed to read data chunk"},
        RejectCase{"TwentyFourBits", B::wave(1, 11025, 24, {1, 2, 3, 4, 5, 6}), "File format not supported"},
        RejectCase{"ThreeChannels", B::wave(3, 11025, 8, {1, 2, 3, 4, 5, 6}), "File format not supported"},
        RejectCase{"NoChannels", B::wave(0, 11025, 8, {1, 2, 3}), "File format not supported"},
        RejectCase{"RateZero", B::wave(1, 0, 8, {1, 2, 3}), "File format not supported"},
        RejectCase{"HalfASample", B::wave(1, 11025, 16, {7}), "The data chunk is shorter than one sample frame"},
        RejectCase{"HalfAStereoFrame", B::wave(2, 11025, 16, {7, 7, 7}), "The data chunk is shorter than one sample frame"},
        RejectCase{"NothingAfterResampling", B::wave(1, 44100, 8, {1, 2, 3}), "Failed to convert wave format"}),
    [](const ::testing::TestParamInfo<RejectCase>& info) { return std::string(info.param.name); });

TEST_F(WaveLoadingTest, DeviceThatCannotPlayTheSessionFormat) {
  devices_.setQueryFormatResult(platform::kDeviceBadFormat);
  auto image = B::wave(1, 11025, 8, {1});
  MemoryFileInfo info;
  info.buffer = image.data();
  info.bufferSize = static_cast<std::int32_t>(image.size());
  try {
    WaveMixOpenWave(session_, WaveMixMemorySource(&info), nullptr, kOpenFromMemory);
    ADD_FAILURE() << "accepted";
  } catch (const EWaveMixError& error) {
    const std::string text = error.what();
    EXPECT_EQ(text, "The waveform device can\xB4t play this format");
    ASSERT_GT(text.size(), 23u);
    EXPECT_EQ(static_cast<unsigned char>(text[23]), 0xB4) << "one byte, not a UTF-8 sequence";
    EXPECT_EQ(text[24], 't');
  }
  EXPECT_EQ(devices_.lastQueriedId(), 0);
}

TEST_F(WaveLoadingTest, MemoryFileOpenFailures) {
  auto image = B::wave(1, 11025, 8, {1});
  MemoryFileInfo info;
  info.buffer = image.data();
  info.bufferSize = static_cast<std::int32_t>(image.size());
  info.ioProc = fourCC('D', 'O', 'S', ' ');
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, WaveMixMemorySource(&info), nullptr, kOpenFromMemory),
                       "Failed to open memory file, mmioOpen error=1.#13May need to make sure memory is read-write");
  info.ioProc = kMemoryIoProc;
  info.buffer = nullptr;
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, WaveMixMemorySource(&info), nullptr, kOpenFromMemory),
                       "Failed to open memory file, mmioOpen error=2.#13May need to make sure memory is read-write");
  info.buffer = image.data();
  info.bufferSize = 0;
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, WaveMixMemorySource(&info), nullptr, kOpenFromMemory),
                       "Failed to open memory file, mmioOpen error=3.#13May need to make sure memory is read-write");
}

class WaveFileTest : public WaveLoadingTest {
 protected:
  void SetUp() override {
    WaveLoadingTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("wavemix-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    WaveLoadingTest::TearDown();
  }
  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::filesystem::path folder_;
};

TEST_F(WaveFileTest, FileLoadsAndItsNameKeepsTheFirstFifteenCharacters) {
  const std::string path = write("chime.wav", B::wave(1, 22050, 8, {100, 110, 120, 130, 140}));
  WaveMixWave* wave = WaveMixOpenWave(session_, path.c_str(), nullptr, kOpenFromFile);
  waves_.push_back(wave);
  // Halved: 128 + (-28 - 18) / 2 = 105, then a copy of the third input byte.
  EXPECT_EQ(dataOf(wave), (std::vector<std::uint8_t>{105, 120}));
  EXPECT_EQ(std::string(wave->name), path.substr(0, 15));
  EXPECT_EQ(wave->name[15], '\0');
}

TEST_F(WaveFileTest, MissingFileNamesTheWholePath) {
  const std::string path = (folder_ / "no such file.wav").string();
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, path.c_str(), nullptr, kOpenFromFile),
                       "Failed to open wave file " + path);
}

// A folder, a pipe with no writer (a blocking open would wait for ever; the test's time
// limit ends it), a link to a file that never ends and a file past the size bound all
// cannot be read: each gives the open message, at once and without filling memory.
TEST_F(WaveFileTest, PathsThatOpenButCannotBeReadGiveTheOpenMessage) {
  std::filesystem::create_directory(folder_ / "folder.wav");
  ASSERT_EQ(::mkfifo((folder_ / "pipe.wav").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", folder_ / "zero.wav");
  const std::string huge = write("huge.wav", B::wave(1, 11025, 8, {1, 2}));
  std::filesystem::resize_file(huge, std::uintmax_t{129} << 20);  // sparse: no disk used
  for (const char* name : {"folder.wav", "pipe.wav", "zero.wav", "huge.wav"}) {
    const std::string path = (folder_ / name).string();
    EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, path.c_str(), nullptr, kOpenFromFile),
                         "Failed to open wave file " + path);
  }
}

TEST_F(WaveFileTest, FileWithTheWrongFormTag) {
  const std::string path = write("adpcm.wav", B::riff("WAVE", {B::fmt(2, 1, 11025, 4), B::chunk("data", {1, 2})}));
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, path.c_str(), nullptr, kOpenFromFile), "The file is not a PCM file");
}

class WaveResourceTest : public WaveLoadingTest {
 protected:
  platform::ResourceModule module_;
  WaveMixWave* open(const char* source) {
    WaveMixWave* wave = WaveMixOpenWave(session_, source, &module_, kOpenFromResource);
    waves_.push_back(wave);
    return wave;
  }
};

TEST_F(WaveResourceTest, NamedResource) {
  module_.add("WAVE", std::string("Ding"), B::wave(1, 11025, 8, {9, 8, 7}));
  WaveMixWave* wave = open("DING");
  EXPECT_EQ(dataOf(wave), (std::vector<std::uint8_t>{9, 8, 7}));
  EXPECT_STREQ(wave->name, "DING");
}

TEST_F(WaveResourceTest, NumberedResourceIsNamedByItsNumber) {
  module_.add("WAVE", std::uint16_t{5}, B::wave(1, 11025, 8, {1, 2}));
  WaveMixWave* wave = open(WaveMixResourceNumber(5));
  EXPECT_STREQ(wave->name, "res#5");
  EXPECT_EQ(dataOf(wave), (std::vector<std::uint8_t>{1, 2}));
}

TEST_F(WaveResourceTest, MissingResources) {
  module_.add("BITMAP", std::uint16_t{5}, B::wave(1, 11025, 8, {1, 2}));
  EXPECT_WAVEMIX_ERROR(open(WaveMixResourceNumber(5)), "Failed to open \"WAVE\" resource 5");
  EXPECT_WAVEMIX_ERROR(open("bell"), "Failed to open \"WAVE\" resource bell");
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, "bell", nullptr, kOpenFromResource),
                       "Failed to open \"WAVE\" resource bell");
}

TEST_F(WaveResourceTest, EmptyResourceCannotBeLocked) {
  module_.add("WAVE", std::string("silence"), {});
  EXPECT_WAVEMIX_ERROR(open("silence"), "Failed to lock \"WAVE\" resource");
}

TEST_F(WaveResourceTest, BrokenResourceContent) {
  module_.add("WAVE", std::uint16_t{9}, B::riff("WAVE", {B::fmt(1, 1, 11025, 8)}));
  EXPECT_WAVEMIX_ERROR(open(WaveMixResourceNumber(9)), "WAVE file has no data chunk");
}

TEST_F(WaveLoadingTest, ConversionTooLargeToHoldIsAnAllocationFailure) {
  closeSession();
  profile_.set("default", "SamplesPerSec", 44);
  init();
  // 1 sample per second stretched to 44100: 50000 bytes would become 2.2 GB.
  expectRejected(B::wave(1, 1, 8, std::vector<std::uint8_t>(50000, 1)),
                 "Unable to allocate memory for waveform data.  Try making more memory available by "
                 "closing other applications.");
}

TEST_F(WaveLoadingTest, ASlowWaveThatWouldConvertToHundredsOfMegabytesIsRefused) {
  closeSession();
  WaveMixConfig stereo44;
  stereo44.flags = kConfigUseChannels | kConfigUseRate;
  stereo44.channels = 2;
  stereo44.samplingRate = 44;
  init(&stereo44);
  // 10 KB at 1 Hz would become 10000 × 44100 × 2 bytes, 880 MB: refused before allocating.
  expectRejected(B::wave(1, 1, 8, std::vector<std::uint8_t>(10000, 1)),
                 "Unable to allocate memory for waveform data.  Try making more memory available by "
                 "closing other applications.");
  // The same wave at 100 Hz (8.8 MB) still loads.
  EXPECT_EQ(loadMemory(B::wave(1, 100, 8, std::vector<std::uint8_t>(10000, 1)))->header.bufferLength,
            10000u * 441 * 2);
}

// Found by the fuzzer: a rate of 0xFFFFFFFD wrapped the rounded rate ratio to a divisor of 0.
TEST_F(WaveLoadingTest, RateNearTheTopOfItsRangeIsRejectedNotDividedByZero) {
  const std::vector<std::uint8_t> image = {
      0x52, 0x49, 0x46, 0x46, 0x42, 0x00, 0x00, 0x00, 0x57, 0x41, 0x56, 0x45, 0x66, 0x6d, 0x74, 0x20,
      0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0xfd, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00,
      0x01, 0x00, 0x08, 0x00, 0x64, 0x61, 0x74, 0x61, 0x1e, 0x00, 0x00, 0x00, 0x09, 0x16, 0x23, 0x30,
      0x3d, 0x4a, 0x57, 0x64, 0x71, 0x7e, 0x8b, 0x98, 0xa5, 0xb2, 0xbf, 0xcc, 0xd9, 0xe6, 0xf3, 0x00,
      0x0d, 0x12, 0x27, 0x34, 0x41, 0x4e, 0x5b, 0x68, 0x75, 0x82};
  expectRejected(image, "Failed to convert wave format");
}

TEST_F(WaveLoadingTest, FreeingNothingIsAnError) {
  EXPECT_WAVEMIX_ERROR(WaveMixFreeWave(session_, nullptr), "The given pointer was not valid");
}

TEST_F(WaveLoadingTest, WavesLoadWhileTheDeviceIsClosedAndSurviveActivation) {
  WaveMixWave* wave = loadSamples({3, 4});
  WaveMixActivate(session_, true);
  WaveMixActivate(session_, false);
  EXPECT_EQ(dataOf(wave), (std::vector<std::uint8_t>{3, 4}));
}

}  // namespace
}  // namespace wavemix::testing
