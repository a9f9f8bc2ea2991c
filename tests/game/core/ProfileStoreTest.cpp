#include "game/core/ProfileStore.h"

#include <gtest/gtest.h>

#include "ProfilePrinter.h"
#include "TempFolder.h"
#include "game/core/AtomicFile.h"
#include "game/core/ProfileFile.h"

namespace {

using game::ProfileStore;
using game::tmy;
namespace fs = std::filesystem;

tmy someProfile(int seed) {
  tmy p;
  p.playerName = seed % 2 ? "ＡＣＥ" : "";
  for (std::size_t i = 0; i < p.reserved.size(); ++i) p.reserved[i] = seed * 100 + static_cast<int>(i) - 50;
  p.birthMonth = seed % 12 + 1;
  p.birthDay = seed % 31 + 1;
  p.playerSex = seed % 3;
  p.readingCount = seed;
  p.compatCount = -seed;
  return p;
}

bool contains(const std::vector<std::string>& texts, const std::string& part) {
  for (const auto& t : texts)
    if (t.find(part) != std::string::npos) return true;
  return false;
}

class ProfileStoreTest : public ::testing::Test {
 protected:
  gametest::TempFolder folder;
  fs::path primary = folder / "game" / "dat" / "my.dat";
  fs::path fallback = folder / "xdg" / "pomuri" / "my.dat";
  ProfileStore store{primary, fallback};

  void SetUp() override { fs::create_directories(primary.parent_path()); }
};

TEST_F(ProfileStoreTest, NoFileIsAFreshProfileWithoutNotice) {
  tmy p = someProfile(5);
  p.mood = 3;
  auto outcome = store.load(p);
  EXPECT_TRUE(outcome.fresh);
  EXPECT_FALSE(outcome.damaged);
  EXPECT_TRUE(outcome.notices.empty());
  EXPECT_TRUE(outcome.readFrom.empty());
  tmy expected;
  expected.mood = 3;  // not a saved field: left alone
  EXPECT_EQ(p, expected);
}

TEST_F(ProfileStoreTest, SavedProfileLoadsBackAndUnchangedSaveIsByteIdentical) {
  const tmy original = someProfile(7);
  auto saved = store.save(original);
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.writtenTo, primary);
  EXPECT_TRUE(saved.notices.empty());
  const std::string bytes = gametest::readBytes(primary);
  EXPECT_EQ(bytes, game::encodeProfile(original));

  ProfileStore next(primary, fallback);
  tmy loaded;
  auto outcome = next.load(loaded);
  EXPECT_FALSE(outcome.fresh);
  EXPECT_FALSE(outcome.damaged);
  EXPECT_EQ(outcome.readFrom, primary);
  EXPECT_EQ(loaded, original);
  ASSERT_TRUE(next.save(loaded).ok);
  EXPECT_EQ(gametest::readBytes(primary), bytes);
  EXPECT_FALSE(fs::exists(fallback));
}

TEST_F(ProfileStoreTest, DamagedFileIsKeptBeforeTheFirstSaveAndAnnouncedOnce) {
  const std::string damaged = "3\r\n\x82\r\n5\r\n";  // three lines, a broken name
  gametest::writeBytes(primary, damaged);
  tmy p;
  auto outcome = store.load(p);
  EXPECT_TRUE(outcome.damaged);
  EXPECT_FALSE(outcome.fresh);
  EXPECT_EQ(p.reserved[0], 3);
  EXPECT_EQ(p.reserved[2], 0);  // line 4 is missing
  ASSERT_EQ(outcome.notices.size(), 1u);
  const fs::path kept = primary.string() + ".damaged";
  EXPECT_NE(outcome.notices[0].find(kept.string()), std::string::npos) << outcome.notices[0];
  EXPECT_FALSE(fs::exists(kept));  // not copied until a save would replace the file

  auto saved = store.save(someProfile(2));
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_TRUE(saved.notices.empty());  // the player was told at load
  EXPECT_EQ(gametest::readBytes(kept), damaged);
  EXPECT_EQ(gametest::readBytes(primary), game::encodeProfile(someProfile(2)));

  ASSERT_TRUE(store.save(someProfile(3)).ok);  // later saves make no more copies
  EXPECT_FALSE(fs::exists(primary.string() + ".damaged.1"));
  EXPECT_EQ(gametest::readBytes(kept), damaged);
}

TEST_F(ProfileStoreTest, KeptCopyTakesANumberWhenTheNameIsTaken) {
  const fs::path first = primary.string() + ".damaged";
  gametest::writeBytes(first, "an older damaged copy");
  gametest::writeBytes(primary, "not a profile");
  tmy p;
  auto outcome = store.load(p);
  const fs::path numbered = primary.string() + ".damaged.1";
  ASSERT_EQ(outcome.notices.size(), 1u);
  EXPECT_NE(outcome.notices[0].find(numbered.string()), std::string::npos);
  ASSERT_TRUE(store.save(p).ok);
  EXPECT_EQ(gametest::readBytes(numbered), "not a profile");
  EXPECT_EQ(gametest::readBytes(first), "an older damaged copy");
}

TEST_F(ProfileStoreTest, CopyKeptByAnEarlierRunIsNotDuplicated) {
  gametest::writeBytes(primary, "12\r\n");
  gametest::writeBytes(primary.string() + ".damaged", "12\r\n");
  tmy p;
  auto outcome = store.load(p);
  ASSERT_EQ(outcome.notices.size(), 1u);
  ASSERT_TRUE(store.save(p).ok);
  EXPECT_FALSE(fs::exists(primary.string() + ".damaged.1"));
  EXPECT_EQ(gametest::readBytes(primary.string() + ".damaged"), "12\r\n");
}

TEST_F(ProfileStoreTest, UnreadableFileIsSetAsideNotOverwritten) {
  fs::create_directories(primary / "inside");  // "my.dat" is a folder: it cannot be read
  tmy p = someProfile(4);
  auto outcome = store.load(p);
  EXPECT_TRUE(outcome.fresh);
  EXPECT_TRUE(outcome.damaged);
  EXPECT_EQ(outcome.notices.size(), 1u);
  EXPECT_EQ(p, tmy{});

  auto saved = store.save(someProfile(4));
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.writtenTo, primary);
  EXPECT_TRUE(fs::is_directory(primary.string() + ".damaged/inside"));
  EXPECT_EQ(gametest::readBytes(primary), game::encodeProfile(someProfile(4)));
}

TEST_F(ProfileStoreTest, UnwritableDataFolderSavesToTheFallbackAndTheNextStartFindsIt) {
  gametest::writeBytes(primary, game::encodeProfile(someProfile(1)));
  // The primary's folder cannot take a new file: its temp name is held by a folder.
  fs::create_directories(game::atomicTempPath(primary));
  auto saved = store.save(someProfile(8));
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.writtenTo, fallback);
  EXPECT_TRUE(contains(saved.notices, fallback.string()));
  EXPECT_EQ(gametest::readBytes(primary), game::encodeProfile(someProfile(1)));  // old one intact
  fs::last_write_time(primary, fs::last_write_time(fallback) - std::chrono::seconds(10));

  ProfileStore next(primary, fallback);
  tmy loaded;
  auto outcome = next.load(loaded);
  EXPECT_EQ(outcome.readFrom, fallback);
  EXPECT_TRUE(outcome.notices.empty());
  EXPECT_EQ(loaded, someProfile(8));

  auto again = next.save(someProfile(9));  // still unwritable: same place, nothing new to tell
  ASSERT_TRUE(again.ok) << again.error;
  EXPECT_EQ(again.writtenTo, fallback);
  EXPECT_TRUE(again.notices.empty());
}

TEST_F(ProfileStoreTest, MissingPrimaryFolderThatCannotBeCreatedUsesTheFallback) {
  ProfileStore blocked(folder / "file-not-folder" / "dat" / "my.dat", fallback);
  gametest::writeBytes(folder / "file-not-folder", "a plain file where a folder should be");
  auto saved = blocked.save(someProfile(6));
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.writtenTo, fallback);
  EXPECT_EQ(gametest::readBytes(fallback), game::encodeProfile(someProfile(6)));
}

TEST_F(ProfileStoreTest, NewestOfTheTwoFilesWins) {
  gametest::writeBytes(primary, game::encodeProfile(someProfile(1)));
  gametest::writeBytes(fallback, game::encodeProfile(someProfile(2)));
  const auto now = fs::last_write_time(primary);
  struct Case {
    const char* what;
    fs::file_time_type primaryTime, fallbackTime;
    fs::path expected;
    int seed;
  };
  const Case cases[] = {
      {"fallback newer", now - std::chrono::hours(1), now, fallback, 2},
      {"primary newer", now, now - std::chrono::hours(1), primary, 1},
      {"same time", now, now, primary, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::last_write_time(primary, c.primaryTime);
    fs::last_write_time(fallback, c.fallbackTime);
    tmy loaded;
    auto outcome = ProfileStore(primary, fallback).load(loaded);
    EXPECT_EQ(outcome.readFrom, c.expected);
    EXPECT_EQ(loaded, someProfile(c.seed));
  }
}

TEST_F(ProfileStoreTest, DamagedOlderFileIsAlsoProtected) {
  gametest::writeBytes(primary, "broken");
  gametest::writeBytes(fallback, game::encodeProfile(someProfile(3)));
  fs::last_write_time(primary, fs::last_write_time(fallback) - std::chrono::hours(1));
  tmy loaded;
  auto outcome = store.load(loaded);
  EXPECT_EQ(outcome.readFrom, fallback);
  EXPECT_EQ(loaded, someProfile(3));
  EXPECT_TRUE(outcome.damaged);
  EXPECT_EQ(outcome.notices.size(), 1u);
  ASSERT_TRUE(store.save(loaded).ok);
  EXPECT_EQ(gametest::readBytes(primary.string() + ".damaged"), "broken");
}

TEST_F(ProfileStoreTest, NeitherPlaceWritableFailsWithAReason) {
  fs::create_directories(game::atomicTempPath(primary));
  gametest::writeBytes(folder / "xdg", "a file where the data folder should be");
  auto saved = store.save(someProfile(1));
  EXPECT_FALSE(saved.ok);
  EXPECT_TRUE(saved.writtenTo.empty());
  EXPECT_NE(saved.error.find(primary.string()), std::string::npos) << saved.error;
}

TEST_F(ProfileStoreTest, HugeFileIsDamageAndIsKept) {
  gametest::writeBytes(primary, game::encodeProfile(someProfile(1)) + std::string(100000, ' '));
  tmy loaded;
  auto outcome = store.load(loaded);
  EXPECT_TRUE(outcome.damaged);
  ASSERT_TRUE(store.save(loaded).ok);
  EXPECT_EQ(fs::file_size(primary.string() + ".damaged"), game::encodeProfile(someProfile(1)).size() + 100000);
}

// dat/ beside the assets cannot be written: the user's file is primary and fallback, and a
// profile left in dat/ is read when it is the newest.
class ReadOnlyPlaceTest : public ProfileStoreTest {
 protected:
  fs::path left = primary;  // dat/my.dat beside the assets
  fs::path user = fallback;
  ProfileStore readOnlyStore() { return ProfileStore(user, user, left); }
};

TEST_F(ReadOnlyPlaceTest, ProfileLeftThereIsReadSavedToTheUserFileAndTheMoveToldOnce) {
  tmy returning;  // 7 readings, born on 12 May
  returning.readingCount = 7;
  returning.birthMonth = 5;
  returning.birthDay = 12;
  const std::string leftBytes = game::encodeProfile(returning);
  gametest::writeBytes(left, leftBytes);

  ProfileStore first = readOnlyStore();
  tmy loaded;
  auto outcome = first.load(loaded);
  EXPECT_EQ(outcome.readFrom, left);
  EXPECT_EQ(loaded, returning);
  ASSERT_EQ(outcome.notices.size(), 1u);
  EXPECT_NE(outcome.notices[0].find(user.string()), std::string::npos) << outcome.notices[0];
  loaded.readingCount = 8;
  auto saved = first.save(loaded);
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.writtenTo, user);
  EXPECT_TRUE(saved.notices.empty());  // told at load
  EXPECT_EQ(gametest::readBytes(left), leftBytes);
  fs::last_write_time(left, fs::last_write_time(user) - std::chrono::seconds(1));

  ProfileStore next = readOnlyStore();  // every later start: the user's file, in silence
  auto later = next.load(loaded);
  EXPECT_EQ(later.readFrom, user);
  EXPECT_EQ(loaded.readingCount, 8);
  EXPECT_TRUE(later.notices.empty());
}

TEST_F(ReadOnlyPlaceTest, TroubleThereIsToldOnlyWhileItIsTheProfileInUse) {
  gametest::writeBytes(left, "3\r\n");  // damaged, and newer than nothing else
  tmy p;
  auto outcome = readOnlyStore().load(p);
  EXPECT_EQ(outcome.readFrom, left);
  EXPECT_EQ(p.reserved[0], 3);
  ASSERT_EQ(outcome.notices.size(), 1u);  // damage and new place in one notice
  EXPECT_NE(outcome.notices[0].find(user.string()), std::string::npos);

  gametest::writeBytes(user, game::encodeProfile(someProfile(2)));
  fs::last_write_time(left, fs::last_write_time(user) - std::chrono::hours(1));
  outcome = readOnlyStore().load(p);
  EXPECT_EQ(outcome.readFrom, user);
  EXPECT_TRUE(outcome.notices.empty());

  fs::remove(left);
  fs::create_directories(left / "inside");  // cannot be read
  EXPECT_TRUE(readOnlyStore().load(p).notices.empty());
  fs::remove(user);
  outcome = readOnlyStore().load(p);
  EXPECT_TRUE(outcome.fresh);
  EXPECT_EQ(outcome.notices.size(), 1u);
}

}  // namespace
