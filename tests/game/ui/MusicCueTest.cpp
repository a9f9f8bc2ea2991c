// The hidden media player and the music cue: open closes the tune before, play and stop
// need an open tune, and PlayMusic swallows every refusal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MixerCuesSupport.h"
#include "platform/music/FluidMidiSynth.h"
#include "platform/music/MidiPlayer.h"

namespace {

using testing_support::LoggingSynth;
using Log = std::vector<std::string>;

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("pomuri-music-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    for (const char* tune : {"gos.mid", "other.mid"}) std::ofstream(folder / tune) << "MThd";
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::filesystem::path folder;
  Log log;
};

TEST_F(MusicTest, StopOrPlayWithNothingOpenRaiseTheNoDeviceError) {
  platform::MidiPlayer mid_p(std::make_unique<LoggingSynth>(log));
  for (auto command : {&platform::MidiPlayer::stop, &platform::MidiPlayer::play}) {
    try {
      (mid_p.*command)();
      ADD_FAILURE() << "no error";
    } catch (const platform::MediaDeviceError& error) {
      EXPECT_STREQ(error.what(), "MCI \uFF83\uFF9E\uFF8A\uFF9E\uFF72\uFF7D\u304C\u3042\u308A\u307E\u305B\u3093");
    }
  }
  EXPECT_TRUE(log.empty());
}

TEST_F(MusicTest, OpenClosesTheTuneBeforeAndAFailedOpenLeavesNothingOpen) {
  platform::MidiPlayer mid_p(std::make_unique<LoggingSynth>(log));
  mid_p.setFileName(folder / "gos.mid");
  mid_p.open();
  mid_p.play();
  mid_p.setFileName(folder / "missing.mid");
  EXPECT_THROW(mid_p.open(), platform::MediaDeviceError);
  EXPECT_FALSE(mid_p.isOpen());
  EXPECT_THROW(mid_p.stop(), platform::MediaDeviceError);
  EXPECT_EQ(log, (Log{"load gos.mid", "play", "unload"}));
}

TEST_F(MusicTest, StopKeepsTheTuneOpen) {
  platform::MidiPlayer mid_p(std::make_unique<LoggingSynth>(log));
  mid_p.setFileName(folder / "gos.mid");
  mid_p.open();
  mid_p.play();
  mid_p.stop();
  EXPECT_TRUE(mid_p.isOpen());
  mid_p.stop();
  EXPECT_EQ(log, (Log{"load gos.mid", "play", "stop", "stop"}));
}

struct MusicCase {
  const char* name;
  std::vector<std::string> cues;
  Log synth;
};

class PlayMusicTest : public MusicTest, public ::testing::WithParamInterface<MusicCase> {};

TEST_P(PlayMusicTest, SendsTheSynthExactlyThis) {
  // No mixer machine is needed for music; the mixer side may fail to start and stays quiet.
  testing_support::ManualMixerMachine machine;
  game::MixerCues cues(folder, std::make_unique<LoggingSynth>(log));
  for (const std::string& cue : GetParam().cues) EXPECT_NO_THROW(cues.playMusic(cue));
  EXPECT_EQ(log, GetParam().synth);
}

INSTANTIATE_TEST_SUITE_P(
    Cues, PlayMusicTest,
    ::testing::Values(
        MusicCase{"NotBeforeAnyTuneDoesNothing", {"not"}, {}},
        MusicCase{"NotTwiceInARowStopsOnceMore", {"gos.mid", "not", "not"},
                  {"load gos.mid", "play", "stop", "stop"}},
        MusicCase{"ASecondTuneRestartsFromItsBeginning", {"gos.mid", "other.mid", "gos.mid"},
                  {"load gos.mid", "play", "unload", "load other.mid", "play", "unload",
                   "load gos.mid", "play"}},
        MusicCase{"AnEmptyNameDoesNothing", {"", "gos.mid", ""}, {"load gos.mid", "play"}},
        MusicCase{"AMissingTuneLeavesNothingOpen", {"gos.mid", "missing.mid", "not"},
                  {"load gos.mid", "play", "unload"}}),
    [](const ::testing::TestParamInfo<MusicCase>& info) { return std::string(info.param.name); });

TEST(SoundFontChoice, PrefersTheFullGeneralMidiSetThenTheFirstByName) {
  using platform::chooseSoundFont;
  EXPECT_EQ(chooseSoundFont({"/sf/TimGM6mb.sf2", "/sf/FluidR3_GM.sf2", "/sf/a.sf2"}),
            "/sf/FluidR3_GM.sf2");
  EXPECT_EQ(chooseSoundFont({"/sf/TimGM6mb.sf2", "/sf/default-GM.sf2", "/sf/readme.txt"}),
            "/sf/TimGM6mb.sf2");
  EXPECT_EQ(chooseSoundFont({"/sf/readme.txt"}), "");
  EXPECT_EQ(chooseSoundFont({}), "");
}

TEST(FluidSynthLoad, RefusesAFileThatIsNotAStandardMidiFile) {
  // An empty SoundFont folder: the worker never starts a driver, so this stays silent.
  const auto empty = std::filesystem::temp_directory_path() / ("pomuri-nosf-" + std::to_string(::getpid()));
  std::filesystem::create_directories(empty);
  {
    platform::FluidMidiSynth synth(empty);
    EXPECT_THROW(synth.load(empty / "missing.mid"), platform::MediaDeviceError);
    std::ofstream(empty / "text.mid") << "not a tune";
    EXPECT_THROW(synth.load(empty / "text.mid"), platform::MediaDeviceError);
    std::ofstream(empty / "tune.mid", std::ios::binary) << std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14);
    EXPECT_NO_THROW(synth.load(empty / "tune.mid"));
    synth.play();
    synth.stop();
    synth.drain();  // every command was taken and dropped without a driver
  }
  std::filesystem::remove_all(empty);
}

}  // namespace
