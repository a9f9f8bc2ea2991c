// An installed game: the assets lie in a shared folder and the player's profile lives only
// in the user's data folder, given as the primary place. It is read from there, saved there
// at close, and nothing is written beside the assets, without any notice to the player.
#include "FormFixture.h"

namespace {

using testing_support::FormFixture;

class InstalledProfileTest : public FormFixture {
 protected:
  std::filesystem::path userProfile() const { return root / "home" / ".local" / "share" / "pomuri" / "my.dat"; }

  void openInstalledForm() {
    game::GameEnvironment env;
    env.assetRoot = root;
    env.profilePrimary = userProfile();
    env.profileFallback = userProfile();
    env.startTimers = false;
    form = std::make_unique<game::TForm1>(env, game::GameDevices{clock, random, tremble, cues});
    form->show();
    errorsAtOpen = dialogs.texts("error").size();
    form->engine().onWaitBegins = [this](game::Wait kind) { answerWait(kind); };
  }
};

TEST_F(InstalledProfileTest, FirstRunSavesOnlyToTheUsersDataFolderWithoutNotice) {
  openInstalledForm();
  ASSERT_FALSE(std::filesystem::exists(userProfile()));
  profile().readingCount = 17;
  form->close();

  ASSERT_TRUE(std::filesystem::exists(userProfile()));
  EXPECT_FALSE(std::filesystem::exists(root / "dat" / "my.dat"));
  EXPECT_TRUE(dialogs.texts("inform").empty()) << dialogs.texts("inform").front().toStdString();
  game::tmy saved;
  std::ifstream in(userProfile(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  game::decodeProfile(bytes, saved);
  EXPECT_EQ(saved.readingCount, 17);
}

TEST_F(InstalledProfileTest, ProfileIsReadFromTheUsersDataFolderNotBesideTheAssets) {
  game::tmy mine;
  mine.readingCount = 5;
  std::filesystem::create_directories(userProfile().parent_path());
  {
    std::ofstream out(userProfile(), std::ios::binary);
    out << game::encodeProfile(mine);
  }
  game::tmy stray;  // a file beside the assets, as a careless packager might leave
  stray.readingCount = 99;
  writeProfileFile(stray);

  openInstalledForm();
  EXPECT_EQ(profile().readingCount, 5);
}

}  // namespace
