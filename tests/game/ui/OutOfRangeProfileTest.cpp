// A my.dat with values the game itself never writes (month 13, day 32, a 200-letter name):
// the window shows a valid date or none and a name that stays inside the status panel, does
// not greet such a player as returning, and writes the stored bytes back unchanged.
#include "FormFixture.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;

class OutOfRangeProfileTest : public FormFixture {
 protected:
  std::string storedBytes;

  void openWithForeignProfile() {
    game::tmy foreign;
    for (int i = 0; i < 200; ++i) foreign.playerName += "Ｗ";
    foreign.birthMonth = 13;
    foreign.birthDay = 32;
    foreign.playerSex = 2;
    foreign.readingCount = 7;
    storedBytes = game::encodeProfile(foreign);
    writeProfileFile(foreign);
    openForm();
    ASSERT_EQ(game::profile.birthMonth, 13);
  }
};

TEST_F(OutOfRangeProfileTest, ShownValidOrNotAtAllAndKeptAsStored) {
  openWithForeignProfile();
  game::profile.ownsUniverse = game::profile.ownsSeekingBrain = game::profile.ownsHappiness = 1;
  for (int mode : {1, 0}) {
    SCOPED_TRACE(mode);
    form->gameMode = mode;
    for (int i = 0; i < 4; ++i) random.push(0);  // the portrait's tremble
    form->RefreshStatus();
    EXPECT_TRUE(form->state_l->caption().contains(QStringLiteral("> なし\r")));
    EXPECT_LE(form->state_l->heightForWidth(form->state_l->width()), form->state_l->height())
        << "the text runs out of the panel";
  }
  game::profile.ownsUniverse = game::profile.ownsSeekingBrain = game::profile.ownsHappiness = 0;
  pressOn(form->Image13);  // such a player is asked again, not greeted with these values
  for (const QString& line : lines()) EXPECT_FALSE(line.contains(QStringLiteral("もしかして")));
  EXPECT_FALSE(form->name_box->isHidden());

  openWithForeignProfile();
  form->close();  // closing without a play writes the same bytes back
  std::ifstream in(root / "dat" / "my.dat", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            storedBytes);
}

}  // namespace
