// The cue table on the real mixer: each trigger of the form queues the named file on the
// named channel of a manual output device, every cue the form makes reaches the mixer, and
// with no sound files at all the game goes on silently.
#include <functional>

#include "FormFixture.h"
#include "MixerCuesSupport.h"
#include "game/core/QuietFailureLog.h"

namespace {

using testing_support::FormFixture;
using testing_support::LoggingSynth;
using testing_support::ManualMixerMachine;
using testing_support::pressOn;
using testing_support::recordedWaves;
using testing_support::TeeCues;
using Step = FormFixture::Step;
using Plays = std::map<int, std::vector<std::string>>;

class MixerFormFixture : public FormFixture {
 protected:
  void TearDown() override {
    FormFixture::TearDown();  // the form's end releases the slots
    mixer.reset();
    EXPECT_EQ(machine.loop.windowCount(), 0u) << "a mixer window outlived its session";
  }

  void openMixerForm(bool withSounds = true) {
    if (withSounds) ManualMixerMachine::writeGameSounds(root / "dat");
    mixer = std::make_unique<game::MixerCues>(root / "dat", std::make_unique<LoggingSynth>(synthLog));
    if (quietSink) mixer->failures.setSink(quietSink);
    ASSERT_NE(mixer->WaveMix1, nullptr);
    tee = std::make_unique<TeeCues>(*mixer, cues);
    game::GameEnvironment env;
    env.assetRoot = root;
    env.profileFallback = root / "fallback" / "my.dat";
    env.startTimers = false;
    form = std::make_unique<game::TForm1>(env, game::GameDevices{clock, random, tremble, *tee});
    if (quietSink) form->pictureFailures.setSink(quietSink);
    form->show();
    QApplication::setActiveWindow(form.get());
    QCoreApplication::processEvents();  // the start-up boxes
    errorsAtOpen = dialogs.texts("error").size();
    form->engine().onWaitBegins = [this](game::Wait kind) { answerWait(kind); };
    if (withSounds) machine.learnWaveLengths(*mixer, root / "dat");
  }

  Plays queued() { return machine.queuedPlays(*mixer); }

  ManualMixerMachine machine;
  std::vector<std::string> synthLog;
  std::unique_ptr<game::MixerCues> mixer;
  std::unique_ptr<TeeCues> tee;
  std::function<void(const std::string&)> quietSink;  // instead of standard error
};

struct CueRow {
  const char* trigger;
  game::tmy profile;
  std::function<void(MixerFormFixture&)> act;
  Plays expected;  // every play queued since start-up, by channel
};

class CueTableTest : public MixerFormFixture, public ::testing::WithParamInterface<CueRow> {
 public:
  static void newGame(MixerFormFixture& f) { pressOn(f.form->start_box->Image13); }
  static void compatGame(MixerFormFixture& f) { pressOn(f.form->start_box->Image14); }
};

TEST_P(CueTableTest, TriggerQueuesTheNamedFileOnTheNamedChannel) {
  openMixerForm();
  profile() = GetParam().profile;
  if (GetParam().act) GetParam().act(*this);
  EXPECT_EQ(queued(), GetParam().expected);
  // And nothing the form asked for went astray on the way to the mixer.
  EXPECT_EQ(queued(), recordedWaves(cues));
}

game::tmy compatCount(int count) {
  game::tmy p;
  p.compatCount = count;
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Triggers, CueTableTest,
    ::testing::Values(
        CueRow{"StartUp", {}, nullptr, {{1, {"guitar.wav"}}}},
        CueRow{"NewGameAndAClickOnTheSpeech", {}, CueTableTest::newGame,
               {{1, {"guitar.wav", "1.wav"}}, {2, {"start.wav"}}}},
        CueRow{"LetterTilesAndErase", {},
               [](MixerFormFixture& f) {
                 CueTableTest::newGame(f);
                 for (int tile : {0, 3, 4, 13, 11, 18, 1}) pressOn(f.form->name_box->nameTiles[tile]);
               },
               {{0, {"8.wav", "4.wav", "7.wav", "5.wav", "6.wav", "5.wav", "erace.wav"}},
                {1, {"guitar.wav", "1.wav"}},
                {2, {"start.wav"}}}},
        CueRow{"EmptyNameConfirmed", {},
               [](MixerFormFixture& f) {
                 CueTableTest::newGame(f);
                 pressOn(f.form->name_box->Image4);
               },
               {{0, {"no.wav"}}, {1, {"guitar.wav", "1.wav"}}, {2, {"start.wav"}}}},
        CueRow{"BirthdaySpinOkAndYes", {},
               [](MixerFormFixture& f) {
                 f.steps = {Step::ClickSpeech, Step::Yes, Step::ClickSpeech};
                 CueTableTest::compatGame(f);
                 f.form->umare_box->umare_v2->stepBy(1);
                 pressOn(f.form->umare_box->Image9);
               },
               {{0, {"ok.wav", "2.wav"}},
                {1, {"guitar.wav", "1.wav", "key.wav", "1.wav"}},
                {2, {"start.wav"}}}},
        CueRow{"ItemGrantedByTheThirtiethCompatOpening", compatCount(30), CueTableTest::compatGame,
               {{1, {"guitar.wav", "1.wav", "1.wav", "1.wav", "kekka.wav", "1.wav", "1.wav", "1.wav"}},
                {2, {"start.wav"}}}}),
    [](const ::testing::TestParamInfo<CueRow>& info) { return std::string(info.param.trigger); });

TEST_F(MixerFormFixture, StartUpOpensFiveSlotsAndStartsTheTuneOnce) {
  openMixerForm();
  for (auto* slot : {mixer->soundSlot0, mixer->soundSlot2, mixer->soundSlot3, mixer->soundSlot4})
    EXPECT_NE(slot, nullptr);
  // Channel 1 played "guitar.wav": its slot holds that wave now, the other four "1.wav".
  const std::set<const wavemix::WaveMixWave*> distinct = {mixer->soundSlot0, mixer->soundSlot1,
                                                          mixer->soundSlot2, mixer->soundSlot3,
                                                          mixer->soundSlot4};
  EXPECT_EQ(distinct.size(), 5u);
  EXPECT_EQ(mixer->loadedWaveCount(), 5u) << "the replaced 1.wav of channel 1 was idle and is freed";
  EXPECT_EQ(synthLog, (std::vector<std::string>{"load gos.mid", "play"}));
  EXPECT_TRUE(mixer->WaveMix1->Activated());
  EXPECT_EQ(mixer->WaveMix1->Channels(), 31);
}

TEST_F(MixerFormFixture, FormEndReleasesTheSlotsFourToZero) {
  openMixerForm();
  std::vector<const wavemix::WaveMixWave*> freed;
  mixer->onWaveFreed = [&](const wavemix::WaveMixWave* wave) { freed.push_back(wave); };
  const std::vector<const wavemix::WaveMixWave*> slotWaves = {mixer->soundSlot4, mixer->soundSlot3,
                                                          mixer->soundSlot2, mixer->soundSlot1,
                                                          mixer->soundSlot0};
  form.reset();
  EXPECT_EQ(freed, slotWaves);
  EXPECT_EQ(mixer->loadedWaveCount(), 0u);
}

TEST_F(MixerFormFixture, WithEverySoundFileMissingTheGamePlaysOnSilently) {
  std::vector<std::string> stderrLines;
  quietSink = [&](const std::string& line) { stderrLines.push_back(line); };
  openMixerForm(/*withSounds=*/false);
  EXPECT_EQ(mixer->soundSlot0, nullptr) << "the first failing open ends the slot block";
  EXPECT_EQ(mixer->soundSlot4, nullptr);
  steps = {Step::ClickSpeech};
  pressOn(form->start_box->Image13);
  for (int tile : {0, 1}) pressOn(form->name_box->nameTiles[tile]);  // a letter, then erase it
  pressOn(form->name_box->Image4);
  EXPECT_FALSE(form->name_box->isHidden());
  EXPECT_EQ(form->moji_l->caption(), QStringLiteral("ちょっとまって？名前なし？私を馬鹿にしてるわけ？"));
  EXPECT_TRUE(machine.queuedPlays(*mixer).empty());
  EXPECT_FALSE(mixer->mid_p.isOpen());
  EXPECT_TRUE(synthLog.empty());
  EXPECT_EQ(cueNames("wave").size(), 6u) << "every cue was still made";
  EXPECT_EQ(dialogs.texts("error").size(), errorsAtOpen);
  EXPECT_EQ(errorsAtOpen, 3u) << "only the three title frames are reported at start-up";
  // Quiet but not invisible: one line for the sounds, one for the tune, one for the
  // portraits, however many cues failed, each naming the first file that failed.
  ASSERT_EQ(stderrLines.size(), 3u);
  std::sort(stderrLines.begin(), stderrLines.end());
  EXPECT_TRUE(stderrLines[0].starts_with("music: \"" + (root / "dat" / "gos.mid").string() + "\" failed ("));
  EXPECT_TRUE(stderrLines[1].starts_with("picture: \"" + (root / "cg" / "kao.bmp").string() + "\" failed ("));
  EXPECT_TRUE(stderrLines[2].starts_with("sound cue: \"" + (root / "dat" / "1.wav").string() + "\" failed ("));
}

TEST_F(MixerFormFixture, ALostDeviceLeavesTheCuesSilentAndTheGameRunning) {
  openMixerForm();
  machine.devices.stream()->failWrites(platform::kDeviceError, /*sticky=*/true);
  steps = {Step::ClickSpeech};
  pressOn(form->start_box->Image13);
  for (int tile : {0, 3}) pressOn(form->name_box->nameTiles[tile]);
  EXPECT_FALSE(form->name_box->isHidden());
  EXPECT_EQ(dialogs.texts("error").size(), errorsAtOpen);
}

}  // namespace
