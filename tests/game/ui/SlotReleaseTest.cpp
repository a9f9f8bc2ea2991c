// Waves pushed out of their slot are freed once their play has ended, never before, and a
// long run keeps the number of loaded waves flat.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <set>

#include "MixerCuesSupport.h"

namespace {

using testing_support::LoggingSynth;
using testing_support::ManualMixerMachine;

class SlotReleaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("pomuri-slots-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    ManualMixerMachine::writeGameSounds(folder);
    cues = std::make_unique<game::MixerCues>(folder, std::make_unique<LoggingSynth>(synthLog));
    ASSERT_NE(cues->WaveMix1, nullptr);
    machine.learnWaveLengths(*cues, folder);
    cues->onWaveFreed = [this](const wavemix::WaveMixWave* wave) { freed.push_back(wave); };
  }
  void TearDown() override {
    cues.reset();
    EXPECT_EQ(machine.loop.windowCount(), 0u);
    std::filesystem::remove_all(folder);
  }
  bool wasFreed(const wavemix::WaveMixWave* wave) const {
    return std::find(freed.begin(), freed.end(), wave) != freed.end();
  }
  std::vector<std::string> queuedOn(int channel) { return machine.queuedPlays(*cues)[channel]; }

  ManualMixerMachine machine;
  std::filesystem::path folder;
  std::vector<std::string> synthLog;
  std::unique_ptr<game::MixerCues> cues;
  std::vector<const wavemix::WaveMixWave*> freed;
};

TEST_F(SlotReleaseTest, AQueuedSecondCueNeitherCutsNorFreesTheFirst) {
  cues->playWave(0, "guitar.wav");
  wavemix::WaveMixWave* first = cues->soundSlot0;
  cues->playWave(0, "ok.wav");
  EXPECT_NE(cues->soundSlot0, first);
  EXPECT_EQ(queuedOn(0), (std::vector<std::string>{"guitar.wav", "ok.wav"}));
  EXPECT_TRUE(freed.empty()) << "the first wave still plays";
  EXPECT_EQ(cues->loadedWaveCount(), 2u);

  ASSERT_TRUE(machine.playUntil([&] { return !freed.empty(); }));
  EXPECT_EQ(freed, (std::vector<const wavemix::WaveMixWave*>{first}));
  EXPECT_EQ(queuedOn(0), (std::vector<std::string>{"ok.wav"})) << "the second plays on";
  EXPECT_EQ(cues->loadedWaveCount(), 1u);

  // The second ends while it still fills its slot: it stays loaded.
  ASSERT_TRUE(machine.playUntil([&] { return queuedOn(0).empty(); }));
  EXPECT_EQ(freed.size(), 1u);
  EXPECT_EQ(cues->loadedWaveCount(), 1u);
}

TEST_F(SlotReleaseTest, AWaveThatHasEndedIsFreedAsSoonAsItLeavesItsSlot) {
  cues->playWave(2, "start.wav");
  wavemix::WaveMixWave* played = cues->soundSlot2;
  ASSERT_TRUE(machine.playUntil([&] { return queuedOn(2).empty(); }));
  EXPECT_TRUE(freed.empty());
  cues->playWave(2, "deta.wav");
  EXPECT_EQ(freed, (std::vector<const wavemix::WaveMixWave*>{played}));
}

TEST_F(SlotReleaseTest, TheStartUpWavesOfTheSlotsAreFreedWhenReplacedIdle) {
  cues->openSlots("1.wav");
  wavemix::WaveMixWave* startUp = cues->soundSlot3;
  ASSERT_NE(cues->soundSlot4, nullptr);
  cues->playWave(3, "kekka.wav");
  EXPECT_EQ(freed, (std::vector<const wavemix::WaveMixWave*>{startUp}));
  EXPECT_EQ(cues->loadedWaveCount(), 5u);
}

TEST_F(SlotReleaseTest, FailedOpenKeepsTheSlotAndPlaysNothing) {
  cues->playWave(1, "key.wav");
  wavemix::WaveMixWave* kept = cues->soundSlot1;
  cues->playWave(1, "missing.wav");
  EXPECT_EQ(cues->soundSlot1, kept);
  EXPECT_EQ(queuedOn(1), (std::vector<std::string>{"key.wav"}));
  EXPECT_TRUE(freed.empty());
}

TEST_F(SlotReleaseTest, ALongRunOnFourChannelsKeepsLoadedWavesFlat) {
  const std::vector<std::string>& files = testing_support::gameWaveFiles();
  std::size_t most = 0;
  int cueCount = 0;
  for (int round = 0; round < 150; ++round) {
    for (int channel = 0; channel < 4; ++channel) {
      cues->playWave(channel, files[(round * 4 + channel) % files.size()]);
      ++cueCount;
    }
    most = std::max(most, cues->loadedWaveCount());
    machine.playUntil([&] {
      auto plays = machine.queuedPlays(*cues);
      return plays.empty();
    });
  }
  // At most the four slots plus one older wave per channel still finishing.
  EXPECT_LE(most, 8u);
  EXPECT_EQ(cues->loadedWaveCount(), 4u);
  EXPECT_EQ(freed.size(), static_cast<std::size_t>(cueCount - 4));
  const std::set<const wavemix::WaveMixWave*> slotWaves = {cues->soundSlot0, cues->soundSlot1,
                                                       cues->soundSlot2, cues->soundSlot3};
  EXPECT_EQ(slotWaves.size(), 4u);
}

TEST_F(SlotReleaseTest, ReleaseFreesSlotsFourToZeroThenTheWavesStillPlaying) {
  cues->openSlots("1.wav");
  cues->playWave(0, "ok.wav");
  wavemix::WaveMixWave* stillPlaying = cues->soundSlot0;
  cues->playWave(0, "no.wav");  // ok.wav is still queued: kept
  freed.clear();
  const std::vector<const wavemix::WaveMixWave*> expected = {
      cues->soundSlot4, cues->soundSlot3, cues->soundSlot2, cues->soundSlot1, cues->soundSlot0,
      stillPlaying};
  cues->releaseSlots();
  EXPECT_EQ(freed, expected);
  EXPECT_EQ(cues->loadedWaveCount(), 0u);
}

}  // namespace
