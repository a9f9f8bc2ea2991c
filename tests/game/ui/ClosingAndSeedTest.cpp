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
#include "game/PlayGame.h"

namespace {

using testing_support::FormFixture;
using testing_support::pressOn;
using Step = FormFixture::Step;
using game::profile;

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
  form->onWaitBegins = [&](game::WaitKind kind) {
    waits.push_back({kind, form->moji_l->caption()});
    if (waits.size() == 1) {
      form->close();
      closeRefused = form->isVisible() && !form->closing() && form->clickState == 0;
    }
    if (kind == game::WaitKind::YesNo)
      pressOn(form->Image6);
    else
      clickSpeech(form->moji_l);
  };
  pressOn(form->Image13);  // the close is asked during the first line's wait
  EXPECT_TRUE(closeRefused);
  // The game went on where it was: the wait was answered, the next line said.
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("はい、名前を入力してくださいよ！"));
  ASSERT_FALSE(form->name_box->isHidden());
  pressOn(form->nameTiles[0]);
  pressOn(form->Image4);  // a question still takes its branch
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

// The same seed, date and answers with 0, 3 and 11 timer beats at every wait: the same lines.
TEST_F(ClosingAndSeedTest, TheSameSeedGivesTheSameReadingsWhateverTheTimerDid) {
  std::vector<std::vector<QString>> runs;
  for (int beats : {0, 3, 11}) {
    SCOPED_TRACE(beats);
    platform::SeededRandom seeded(1);
    randomSource = &seeded;
    trembleSource = nullptr;  // the form's own, as in the program
    game::profile = game::tmy{};
    waits.clear();
    openForm();
    form->onWaitBegins = [&](game::WaitKind kind) {
      for (int i = 0; i < beats; ++i) {
        clock.advance(50);
        form->Timer1Timer();  // refreshes the status and makes the face tremble
        form->Timer2Timer();
      }
      waits.push_back({kind, form->moji_l->caption()});
      if (kind == game::WaitKind::YesNo)
        pressOn(form->Image6);
      else
        clickSpeech(form->moji_l);
    };
    pressOn(form->Image14);
    pressOn(form->Image9);  // own birthday, yes
    pressOn(form->Image9);  // partner's birthday, yes: the questions and the percentages
    dialogs.answers = {platform::Answer::Yes};
    pressOn(form->Image13);  // and a single reading up to the offered words
    pressOn(form->nameTiles[0]);
    pressOn(form->Image4);
    pressOn(form->Image11);
    pressOn(form->Image9);
    std::vector<QString> said = lines();
    said.push_back(form->item_l1->caption() + form->item_l2->caption() + form->item_l3->caption());
    runs.push_back(said);
    form->onWaitBegins = nullptr;
    form.reset();
  }
  EXPECT_GT(runs[0].size(), 12u);
  EXPECT_EQ(runs[1], runs[0]);
  EXPECT_EQ(runs[2], runs[0]);
}

// The program's run (signal handlers, window, event loop) with a damaged profile: the notice
// is a real box over the shown window, and a termination signal while it is open saves and
// ends the run as the close box would.
TEST_F(ClosingAndSeedTest, ASignalDuringTheDamagedProfileNoticeClosesInOrder) {
  platform::setDialogs(nullptr);  // real message boxes
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    std::filesystem::remove_all(root / "dat");
    std::filesystem::create_directories(root / "dat");
    writeNameList({"ＡＫＩ"});
    std::ofstream(root / "dat" / "my.dat", std::ios::binary) << "not a profile\r\n";
    game::GameEnvironment env;
    env.assetRoot = root;
    env.profileFallback = root / "fallback" / "my.dat";
    env.clock = &clock;
    env.cues = &cues;
    env.startTimers = false;

    QMessageBox* notice = nullptr;
    QWidget* window = nullptr;
    bool windowShownFirst = false;
    // Runs inside the event loop; looks again once the box's own loop has started.
    std::function<void()> inspect = [&] {
      notice = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!notice) {
        QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
        return;
      }
      window = notice->parentWidget();
      windowShownFirst = window && window->isVisible();
      EXPECT_TRUE(notice->text().contains(QStringLiteral("壊れていました"))) << notice->text().toStdString();
      EXPECT_EQ(notice->windowModality(), Qt::WindowModal);
      if (window) {
        EXPECT_LE((notice->geometry().center() - window->geometry().center()).manhattanLength(), 2)
            << "centred over the window";
      }
      ::raise(signal);
    };
    QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
    QTimer watchdog;  // a box left open would hold the run forever
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      ADD_FAILURE() << "the run did not end";
      for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    });
    watchdog.start(30'000);
    EXPECT_EQ(game::playGame(env), 0);
    EXPECT_TRUE(windowShownFirst);
    EXPECT_TRUE(std::filesystem::exists(root / "dat" / "my.dat.damaged")) << "kept aside, then saved";
    std::ifstream saved(root / "dat" / "my.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    game::tmy read;
    EXPECT_FALSE(game::decodeProfile(bytes, read).damaged);
  }
  platform::setDialogs(&dialogs);
}

}  // namespace
