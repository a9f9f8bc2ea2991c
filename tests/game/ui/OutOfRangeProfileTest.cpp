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
    ASSERT_EQ(profile().birthMonth, 13);
  }
};

TEST_F(OutOfRangeProfileTest, ShownValidOrNotAtAllAndKeptAsStored) {
  openWithForeignProfile();
  profile().ownsUniverse = profile().ownsSeekingBrain = profile().ownsHappiness = 1;
  for (game::GameMode mode : {game::GameMode::Single, game::GameMode::None}) {
    SCOPED_TRACE(static_cast<int>(mode));
    form->engine().setMode(mode);
    for (int i = 0; i < 4; ++i) random.push(0);  // the portrait's tremble
    form->engine().RefreshStatus();
    EXPECT_TRUE(form->state_l->caption().contains(QStringLiteral("> なし\r")));
    EXPECT_LE(form->state_l->heightForWidth(form->state_l->width()), form->state_l->height())
        << "the text runs out of the panel";
  }
  profile().ownsUniverse = profile().ownsSeekingBrain = profile().ownsHappiness = 0;
  pressOn(form->start_box->Image13);  // such a player is asked again, not greeted with these values
  for (const QString& line : lines()) EXPECT_FALSE(line.contains(QStringLiteral("もしかして")));
  EXPECT_FALSE(form->name_box->isHidden());

  openWithForeignProfile();
  form->close();  // closing without a play writes the same bytes back
  std::ifstream in(root / "dat" / "my.dat", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            storedBytes);
}

}  // namespace
