// The one reader behind every file the program reads never goes past its bound. Pipes,
// devices and folders are refused with the reasons its callers' tests check
// (HostileFilesTest); refusals past the bound are checked there and in WaveLoadingTest.
#include "platform/core/BoundedFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include <unistd.h>

namespace platform {
namespace {

TEST(BoundedFileTest, ReadsWholeWithinTheBoundAndCutsOneBytePastItWhenAsked) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / ("bounded_file_" + std::to_string(::getpid()));
  std::ofstream(file, std::ios::binary) << "hello!";
  const BoundedFile whole = readBoundedFile(file, 6);
  const BoundedFile head = readBoundedFile(file, 3, OverBound::KeepHead);
  const BoundedFile refused = readBoundedFile(file, 5);
  std::remove(file.c_str());
  EXPECT_EQ(whole.text(), "hello!");
  EXPECT_EQ(head.text(), "hell");
  EXPECT_EQ(refused.status, BoundedFile::Status::TooLarge);
  EXPECT_EQ(refused.size, 0u);
  // /proc files record a size of 0 and hold more: the buffer grows to the end.
  const BoundedFile grown = readBoundedFile("/proc/self/stat", 1 << 16);
  ASSERT_TRUE(grown.ok()) << grown.reason();
  EXPECT_EQ(grown.text().back(), '\n');
}

}  // namespace
}  // namespace platform
