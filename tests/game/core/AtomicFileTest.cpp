#include "game/core/AtomicFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TempFolder.h"

namespace {

using game::AtomicWriteStep;
using game::writeFileAtomically;
namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  gametest::TempFolder folder;
  fs::path target = folder / "my.dat";
  fs::path temp = game::atomicTempPath(target);
};

TEST_F(AtomicFile, CreatesAndReplacesWithoutLeavingATemp) {
  ASSERT_TRUE(writeFileAtomically(target, "first\r\n").ok);
  EXPECT_EQ(gametest::readBytes(target), "first\r\n");
  auto second = writeFileAtomically(target, "second, longer\r\n");
  EXPECT_TRUE(second.ok);
  EXPECT_TRUE(second.error.empty());
  EXPECT_EQ(gametest::readBytes(target), "second, longer\r\n");
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(temp.filename(), "my.dat.tmp");
}

// A failure before the rename leaves the old file whole and removes the temp.
TEST_F(AtomicFile, FailureAtAnyStepBeforeTheRenameKeepsTheOldFile) {
  for (AtomicWriteStep failing : {AtomicWriteStep::CreateTemp, AtomicWriteStep::Write,
                                  AtomicWriteStep::SyncFile, AtomicWriteStep::Rename}) {
    SCOPED_TRACE(static_cast<int>(failing));
    gametest::writeBytes(target, "old contents");
    std::vector<AtomicWriteStep> seen;
    auto result = writeFileAtomically(target, "new", [&](AtomicWriteStep step) {
      seen.push_back(step);
      return step != failing;
    });
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(gametest::readBytes(target), "old contents");
    EXPECT_FALSE(fs::exists(temp));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), failing);  // nothing after the failed step was attempted
  }
}

TEST_F(AtomicFile, FailedFolderFlushIsReportedWithTheNewFileInPlace) {
  gametest::writeBytes(target, "old");
  auto result = writeFileAtomically(target, "new",
                                    [](AtomicWriteStep step) { return step != AtomicWriteStep::SyncFolder; });
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(gametest::readBytes(target), "new");
}

TEST_F(AtomicFile, StaleTempIsReplacedNotWrittenThrough) {
  gametest::writeBytes(target, "old");
  const fs::path other = folder / "other.txt";
  gametest::writeBytes(other, "must stay");
  fs::create_hard_link(other, temp);  // a temp that is another file's second name
  fs::permissions(temp, fs::perms::owner_read);

  ASSERT_TRUE(writeFileAtomically(target, "new").ok);
  EXPECT_EQ(gametest::readBytes(target), "new");
  EXPECT_EQ(gametest::readBytes(other), "must stay");
}

TEST_F(AtomicFile, TempNameTakenByAFolderFailsAndKeepsTheOldFile) {
  gametest::writeBytes(target, "old");
  fs::create_directory(temp);
  auto result = writeFileAtomically(target, "new");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("my.dat.tmp"), std::string::npos) << result.error;
  EXPECT_EQ(gametest::readBytes(target), "old");
}

TEST_F(AtomicFile, MissingFolderFails) {
  auto result = writeFileAtomically(folder / "absent" / "my.dat", "new");
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
}

// A write that really fails half-way (the file-size limit stops it after a few bytes).
TEST_F(AtomicFile, WriteCutShortKeepsTheOldFileAndRemovesTheTemp) {
  gametest::writeBytes(target, "old contents");
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 8;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  auto result = writeFileAtomically(target, std::string(64, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(result.ok);
  EXPECT_EQ(gametest::readBytes(target), "old contents");
  EXPECT_FALSE(fs::exists(temp));
}

TEST_F(AtomicFile, KeepsThePermissionsOfTheReplacedFile) {
  gametest::writeBytes(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(writeFileAtomically(target, "new").ok);
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
