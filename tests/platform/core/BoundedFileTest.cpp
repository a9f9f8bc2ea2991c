// The one reader behind every file the program reads: never past a bound. Pipes, devices
// and folders are refused with the reasons its callers' tests check (HostileFilesTest).
#include "platform/core/BoundedFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

class BoundedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "bounded_file.XXXXXX").string();
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
  fs::path folder_;
};

TEST_F(BoundedFileTest, ARegularFileWithinItsBoundIsReadWhole) {
  const BoundedFile read = readBoundedFile(write("a", "hello"), 5);
  ASSERT_TRUE(read.ok()) << read.reason();
  EXPECT_EQ(read.text(), "hello");
  EXPECT_TRUE(readBoundedFile(write("empty", ""), 5).ok());
}

TEST_F(BoundedFileTest, AFileOverItsBoundIsRefusedOrCutOneBytePast) {
  const fs::path file = write("a", "hello!");
  const BoundedFile refused = readBoundedFile(file, 5);
  EXPECT_EQ(refused.status, BoundedFile::Status::TooLarge);
  EXPECT_EQ(refused.size, 0u);
  EXPECT_EQ(refused.reason(), "File too large");
  const BoundedFile head = readBoundedFile(file, 3, OverBound::KeepHead);
  ASSERT_TRUE(head.ok());
  EXPECT_EQ(head.text(), "hell");
}

TEST_F(BoundedFileTest, AFileWhoseRecordedSizeIsZeroIsStillReadToItsEnd) {
  // /proc files record a size of 0 and hold more.
  const BoundedFile read = readBoundedFile("/proc/self/stat", 1 << 16);
  ASSERT_TRUE(read.ok()) << read.reason();
  EXPECT_GT(read.size, 1u);
  EXPECT_EQ(read.text().back(), '\n');
}

}  // namespace
}  // namespace platform
