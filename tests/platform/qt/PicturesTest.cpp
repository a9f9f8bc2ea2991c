// Pictures that lie about their size, pictures cut short and picture paths that are not
// files: each is refused or shown without decoding gigabytes, blocking or staying silent.
#include "platform/Pictures.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

// A picture with enough detail that its scan data is most of the file.
std::string encoded(const char* format) {
  QImage image(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 37 % 256, y * 91 % 256, (x ^ y) * 13 % 256));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return bytes.toStdString();
}

class PicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pictures.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  fs::path write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return folder_ / name;
  }
  // Loads `file` expecting the missing-picture error; returns what went to standard error.
  std::string expectRefused(const fs::path& file) {
    ::testing::internal::CaptureStderr();
    try {
      loadPicture(file);
      ADD_FAILURE() << file << " loaded";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + file.string() + "\"");
    }
    return ::testing::internal::GetCapturedStderr();
  }
  fs::path folder_;
};

TEST_F(PicturesTest, HeadersClaimingHugePicturesAreRefusedWithOneLine) {
  std::string jpeg = encoded("JPG");
  const std::size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  jpeg.replace(frame + 5, 4, "\x4E\x20\x4E\x20");  // height, width: 20000 × 20000
  std::string bmp = encoded("BMP");
  bmp.replace(18, 8, std::string("\x20\x4E\x00\x00\x20\x4E\x00\x00", 8));
  for (const fs::path& file : {write("huge.jpg", jpeg), write("huge.bmp", bmp)}) {
    const std::string said = expectRefused(file);
    EXPECT_NE(said.find(file.string() + ": the picture claims 20000 × 20000 pixels"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

// Found by the fuzzer: a header of 9 bytes, which the size check by hand does not read,
// and from which Qt's reader still made a picture 9 × 32768.
TEST_F(PicturesTest, APictureOverTheBoundsIsRefusedEvenWhenItsHeaderIsOdd) {
  const unsigned char bytes[] = {
      0x42, 0x4d, 0x62, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x09, 0x00,
      0x00, 0x00, 0x09, 0x00, 0x00, 0x80, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x24, 0x00,
      0x00, 0x00, 0x61, 0x0f, 0x00, 0xff, 0x00, 0x00, 0x21, 0x00, 0x00, 0x3e, 0x00, 0x00, 0x00, 0x28,
      0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x24, 0x00, 0x00, 0x00, 0x61, 0x0f, 0x00, 0xff, 0x00, 0x00, 0x21, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x70, 0x00, 0x1a, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff, 0x00, 0x00, 0x00, 0x2d};
  const std::string said = expectRefused(write("odd.bmp", std::string(reinterpret_cast<const char*>(bytes), sizeof bytes)));
  EXPECT_NE(said.find("9 × 32768"), std::string::npos) << said;
}

TEST_F(PicturesTest, APictureCutShortIsShownAndNamedOnce) {
  const std::string whole = encoded("JPG");
  const fs::path file = write("1.jpg", whole.substr(0, whole.size() / 2));
  ::testing::internal::CaptureStderr();
  const QImage image = loadPicture(file);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(image.size(), QSize(64, 48));
  EXPECT_NE(said.find(file.string() + ": the picture is damaged"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// A pipe with no writer would hold a blocking open for ever (the test's time limit ends
// that); a link to /dev/zero never ends.
TEST_F(PicturesTest, PathsThatAreNotFilesAreRefusedAtOnce) {
  ASSERT_EQ(::mkfifo((folder_ / "pipe.jpg").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", folder_ / "zero.bmp");
  for (const char* name : {"pipe.jpg", "zero.bmp"}) {
    const std::string said = expectRefused(folder_ / name);
    EXPECT_NE(said.find("Not a regular file"), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace platform
