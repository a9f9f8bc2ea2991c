#include "audio/WavFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

namespace platform {
namespace {

class WavFileWriterTest : public testing::Test {
 protected:
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("wav-writer-" + std::to_string(::getpid()) + "-" +
                                testing::UnitTest::GetInstance()->current_test_info()->name() + ".wav");
  void TearDown() override { std::filesystem::remove(path); }

  std::vector<std::uint8_t> contents() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
  }
};

TEST_F(WavFileWriterTest, OddDataLengthGetsAPadByteCountedOnlyInTheRiffSize) {
  WavFileWriter writer;
  ASSERT_TRUE(writer.open(path, PcmFormat{}));
  const std::uint8_t samples[3] = {1, 2, 3};
  ASSERT_TRUE(writer.append(samples, 3));
  ASSERT_TRUE(writer.close());
  const auto file = contents();
  ASSERT_EQ(file.size(), 44u + 4u);
  EXPECT_EQ(le32(file, 4), 36u + 4u);
  EXPECT_EQ(le32(file, 40), 3u);
  EXPECT_EQ(file[44], 1);
  EXPECT_EQ(file[46], 3);
  EXPECT_EQ(file[47], 0);
}

TEST_F(WavFileWriterTest, HeaderIsBroughtUpToDateWhileStillOpen) {
  WavFileWriter writer;
  ASSERT_TRUE(writer.open(path, PcmFormat{}, 100));
  std::vector<std::uint8_t> samples(60, 0x80);
  ASSERT_TRUE(writer.append(samples.data(), samples.size()));
  EXPECT_EQ(le32(contents(), 40), 0u) << "below the flush interval the header is not rewritten";
  ASSERT_TRUE(writer.append(samples.data(), samples.size()));
  auto file = contents();
  ASSERT_EQ(file.size(), 44u + 120u) << "data must reach the file, not stay in a buffer";
  EXPECT_EQ(le32(file, 40), 120u);
  EXPECT_EQ(le32(file, 4), 36u + 120u);
  // Appending after the header rewrite continues at the end, not over the header.
  ASSERT_TRUE(writer.append(samples.data(), 2));
  ASSERT_TRUE(writer.close());
  file = contents();
  ASSERT_EQ(file.size(), 44u + 122u);
  EXPECT_EQ(le32(file, 40), 122u);
  EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
}

TEST_F(WavFileWriterTest, EmptyRecordingIsAValidFile) {
  WavFileWriter writer;
  ASSERT_TRUE(writer.open(path, PcmFormat{1, 2, 44100, 88200, 2, 8}));
  ASSERT_TRUE(writer.close());
  const auto file = contents();
  ASSERT_EQ(file.size(), 44u);
  EXPECT_EQ(le32(file, 4), 36u);
  EXPECT_EQ(le32(file, 40), 0u);
  EXPECT_FALSE(writer.close()) << "a second close has nothing to close";
}

}  // namespace
}  // namespace platform
