// The one reader behind every file the program reads: only regular files, never blocking,
// never past a bound.
#include "platform/core/BoundedFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// A pipe with no writer would hold a blocking open for ever, and /dev/zero never ends: both
// are refused at once. A hang here ends in the test's time limit.
TEST_F(BoundedFileTest, PipesDevicesAndFoldersAreRefusedWithoutBlocking) {
  const fs::path pipe = folder_ / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const fs::path zero = folder_ / "zero";
  fs::create_symlink("/dev/zero", zero);
  fs::create_directory(folder_ / "folder");

  for (const fs::path& file : {pipe, zero}) {
    const BoundedFile read = readBoundedFile(file, 1 << 20);
    EXPECT_EQ(read.status, BoundedFile::Status::NotRegularFile) << file;
    EXPECT_EQ(read.reason(), "Not a regular file");
  }
  const BoundedFile folder = readBoundedFile(folder_ / "folder", 1 << 20);
  EXPECT_EQ(folder.status, BoundedFile::Status::NotRegularFile);
  EXPECT_EQ(folder.reason(), "Is a directory");
  const BoundedFile missing = readBoundedFile(folder_ / "missing", 1 << 20);
  EXPECT_EQ(missing.status, BoundedFile::Status::CannotOpen);
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(missing.reason(), "No such file or directory");
}

}  // namespace
}  // namespace platform
