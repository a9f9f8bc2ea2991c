// What a player meets around closing and replays: a refused close leaves the game playable;
// the quit-without-saving question defaults to No and gives the real reason once; a
// termination signal while a start-up notice is open closes the game in order; and the same
// seed gives the same readings however many timer ticks pass.
#include <QMessageBox>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <system_error>

#include "FormFixture.h"
#include "game/core/GameRandom.h"
#include "game/view/PlayGame.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;

class ClosingAndSeedTest : public FormFixture {};

TEST_F(ClosingAndSeedTest, RefusingToQuitAfterAFailedSaveLeavesTheGamePlayable) {
  // A place where no folder can be made (as a read-only home): the save fails.
  const std::filesystem::path folder =
      std::filesystem::path("/sys") / ("pomuri-ui-" + std::to_string(::getpid()));
  ASSERT_NE(::mkdir(folder.c_str(), 0700), 0);
  const std::string reason = std::generic_category().message(errno);
  profilePrimary = profileFallback = folder / "my.dat";
  openForm();

  dialogs.answers = {platform::Answer::No};  // do not quit without saving
  bool closeRefused = false;
  form->engine().onWaitBegins = [&](game::Wait kind) {
    waits.push_back({kind, form->moji_l->caption()});
    if (waits.size() == 1) {
      form->close();
      closeRefused = form->isVisible() && !form->closing() && form->engine().waiting() == game::Wait::Click;
    }
    pressOn(kind == game::Wait::YesNo ? static_cast<QWidget*>(form->yes_click_box->Image6) : form->moji_l);
  };
  pressOn(form->start_box->Image13);  // the close is asked during the first line's wait
  EXPECT_TRUE(closeRefused);
  // The game went on where it was: the wait was answered, the next line said.
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("はい、名前を入力してくださいよ！"));
  ASSERT_FALSE(form->name_box->isHidden());
  pressOn(form->name_box->nameTiles[0]);
  pressOn(form->name_box->Image4);  // a question still takes its branch
  EXPECT_FALSE(form->sex_box->isHidden());
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("よしっ、で、あなた男の子？女の子？"));

  ASSERT_EQ(dialogs.boxes.back().kind, "confirm");
  EXPECT_EQ(dialogs.boxes.back().defaultButton, platform::Answer::No);
  const std::string asked = dialogs.boxes.back().text.toStdString();
  EXPECT_TRUE(asked.ends_with("保存しないで終了しますか？")) << asked;
  std::size_t at = asked.find(reason);
  ASSERT_NE(at, std::string::npos) << "the real reason, " << reason << ", in: " << asked;
  EXPECT_EQ(asked.find(reason, at + 1), std::string::npos) << "said twice: " << asked;

  dialogs.answers = {platform::Answer::Yes};
  form->close();
  EXPECT_FALSE(form->isVisible());
}

// The same seed and answers with 0, 3 and 11 timer beats at every wait: the same readings.
TEST_F(ClosingAndSeedTest, TheSameSeedGivesTheSameReadingsWhateverTheTimerDid) {
  std::vector<std::vector<QString>> runs;
  for (int beats : {0, 3, 11}) {
    game::GameRandom seeded(1);  // as in the program
    randomSource = &seeded.readings;
    trembleSource = &seeded.tremble;
    waits.clear();
    openForm();
    form->engine().onWaitBegins = [&](game::Wait kind) {
      for (int i = 0; i < beats; ++i, clock.advance(50)) form->Timer1Timer();  // the face trembles
      waits.push_back({kind, form->moji_l->caption()});
      pressOn(kind == game::Wait::YesNo ? static_cast<QWidget*>(form->yes_click_box->Image6) : form->moji_l);
    };
    // A compatibility reading (questions, percentages), then a single one up to the words.
    for (QWidget* w : std::initializer_list<QWidget*>{form->start_box->Image14, form->umare_box->Image9, form->umare_box->Image9,
                                                      form->start_box->Image13, form->name_box->nameTiles[0], form->name_box->Image4,
                                                      form->sex_box->Image11, form->umare_box->Image9})
      pressOn(w);
    runs.push_back(lines());
    runs.back().push_back(form->item_box->item_l1->caption() + form->item_box->item_l2->caption() + form->item_box->item_l3->caption());
    form.reset();
  }
  EXPECT_GT(runs[0].size(), 12u);
  EXPECT_EQ(runs[1], runs[0]);
  EXPECT_EQ(runs[2], runs[0]);
}

// The program's run with a damaged profile: a termination signal while the notice box is open
// saves and ends the run as the close box would.
TEST_F(ClosingAndSeedTest, ASignalDuringTheDamagedProfileNoticeClosesInOrder) {
  platform::setDialogs(nullptr);  // real message boxes
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    std::filesystem::remove(root / "dat" / "my.dat.damaged");
    std::ofstream(root / "dat" / "my.dat", std::ios::binary) << "not a profile\r\n";
    game::GameEnvironment env;
    env.assetRoot = root;
    env.profileFallback = root / "fallback" / "my.dat";
    game::GameRandom seeded(1);
    bool noticeOverShownWindow = false;
    std::function<void()> inspect = [&] {  // until the box's own loop runs
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection), void();
      noticeOverShownWindow = box->text().contains(QStringLiteral("壊れていました")) &&
                              box->parentWidget()->isVisible();
      ::raise(signal);
    };
    QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
    QTimer watchdog;  // a box left open would hold the run forever
    watchdog.callOnTimeout([] {
      ADD_FAILURE() << "the run did not end";
      for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    });
    watchdog.start(30'000);
    EXPECT_EQ(game::playGame(env, {platform::systemClock(), seeded.readings, seeded.tremble, cues}), 0);
    EXPECT_TRUE(noticeOverShownWindow);
    EXPECT_TRUE(std::filesystem::exists(root / "dat" / "my.dat.damaged")) << "kept aside";
    std::ifstream saved(root / "dat" / "my.dat", std::ios::binary);
    game::tmy read;
    EXPECT_FALSE(game::decodeProfile(std::string(std::istreambuf_iterator<char>(saved), {}), read).damaged);
  }
  platform::setDialogs(&dialogs);
}

}  // namespace
