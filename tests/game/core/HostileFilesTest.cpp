// name.dat and my.dat replaced by things that are not files: a folder, a pipe with no
// writer (a blocking open would wait for ever; the test's time limit ends that), a link to
// /dev/zero, and a file far past any real size. Each is refused at once like a missing file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "TempFolder.h"
#include "game/core/ProfileFile.h"
#include "game/core/ProfileStore.h"

namespace {

namespace fs = std::filesystem;

// Makes `file` the named kind of non-file; returns the reason the reader gives for it.
std::string makeHostile(const fs::path& file, const std::string& kind) {
  fs::create_directories(file.parent_path());
  if (kind == "folder") {
    fs::create_directory(file);
    return "Is a directory";
  }
  if (kind == "pipe") {
    EXPECT_EQ(::mkfifo(file.c_str(), 0600), 0);
    return "Not a regular file";
  }
  if (kind == "zero") {
    fs::create_symlink("/dev/zero", file);
    return "Not a regular file";
  }
  gametest::writeBytes(file, "name\r\n");
  fs::resize_file(file, std::uintmax_t{64} << 20);  // sparse
  return "File too large";
}

TEST(HostileFilesTest, NameListThatIsNotAFileIsRefusedLikeAMissingOne) {
  for (const std::string kind : {"folder", "pipe", "zero", "huge"}) {
    gametest::TempFolder folder;
    const fs::path file = folder / "name.dat";
    const std::string reason = makeHostile(file, kind);
    game::StringTable names;
    names.fill("old");
    const game::NameListResult result = game::readNameList(file, names);
    EXPECT_FALSE(result.opened) << kind;
    EXPECT_EQ(result.reason, reason) << kind;
    EXPECT_EQ(game::filledSlotCount(names), 0u) << kind;
  }
}

TEST(HostileFilesTest, ProfileThatIsNotAFileIsReportedAndTheOtherPlaceIsStillRead) {
  for (const std::string kind : {"pipe", "zero"}) {
    gametest::TempFolder folder;
    const fs::path primary = folder / "dat" / "my.dat";
    const fs::path fallback = folder / "home" / "my.dat";
    makeHostile(primary, kind);
    game::tmy saved;
    saved.playerName = "ALICE";
    saved.birthMonth = 5;
    saved.birthDay = 12;
    saved.readingCount = 7;
    gametest::writeBytes(fallback, game::encodeProfile(saved));
    game::ProfileStore store(primary, fallback);
    game::tmy loaded;
    const game::ProfileStore::LoadOutcome outcome = store.load(loaded);
    EXPECT_EQ(outcome.readFrom, fallback) << kind;
    EXPECT_EQ(loaded.playerName, "ALICE") << kind;
    EXPECT_EQ(loaded.readingCount, 7) << kind;
    ASSERT_FALSE(outcome.notices.empty()) << kind;
    EXPECT_NE(outcome.notices.front().find("Not a regular file"), std::string::npos) << outcome.notices.front();
  }
}

}  // namespace
