#pragma once
// The cues on a manual mixer: a manual output device, a queued message loop and an
// in-memory "WAVEMIX.INI" installed as the mixer's machine; a synthesizer double that logs
// its commands; wave files that tell themselves apart by length; and a view of what the
// mixer has queued on each channel.
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/core/CueSink.h"
#include "game/view/MixerCues.h"
#include "platform/music/MediaDeviceError.h"
#include "tests/support/CueRecorder.h"
#include "tests/wavemix/MixerTestSupport.h"
#include "wavemix/WaveMixInspect.h"

namespace testing_support {

// Logs "load NAME", "play", "stop", "unload"; a missing file fails the load.
class LoggingSynth final : public platform::MidiSynth {
 public:
  explicit LoggingSynth(std::vector<std::string>& log) : log_(log) {}
  void load(const std::filesystem::path& path) override {
    if (!std::filesystem::exists(path)) throw platform::MediaDeviceError("no such tune");
    log_.push_back("load " + path.filename().string());
  }
  void play() override { log_.push_back("play"); }
  void stop() override { log_.push_back("stop"); }
  void unload() override { log_.push_back("unload"); }

 private:
  std::vector<std::string>& log_;
};

// Hands every cue to the real sink and to a recorder.
class TeeCues final : public game::CueSink {
 public:
  TeeCues(game::CueSink& real, testing_support::CueRecorder& recorder) : real_(real), recorder_(recorder) {}
  void playWave(int channel, const std::string& file) override {
    recorder_.playWave(channel, file);
    real_.playWave(channel, file);
  }
  void playMusic(const std::string& name) override {
    recorder_.playMusic(name);
    real_.playMusic(name);
  }
  void showingFace(const std::string& file) override { recorder_.showingFace(file); }
  void openSlots(const std::string& file) override { real_.openSlots(file); }
  void releaseSlots() override { real_.releaseSlots(); }

 private:
  game::CueSink& real_;
  testing_support::CueRecorder& recorder_;
};

// Every wave file the game names.
inline const std::vector<std::string>& gameWaveFiles() {
  static const std::vector<std::string> files = {
      "1.wav",   "2.wav",    "3.wav",    "4.wav",     "5.wav",    "6.wav",     "7.wav",
      "8.wav",   "no.wav",   "ok.wav",   "key.wav",   "erace.wav", "start.wav", "guitar.wav",
      "kekka.wav", "deta.wav", "blue.wav", "bad.wav", "soso.wav", "good.wav",  "happy.wav"};
  return files;
}

// The machine of the mixer, installed for as long as the object lives.
class ManualMixerMachine {
 public:
  ManualMixerMachine() {
    profile.set("default", "GoodWavePos", 1);
    profile.set("default", "WaveBlockLen", 512);
    wavemix::WaveMixSetPlatform(
        {.waveOut = &devices, .messageLoop = &loop, .clock = &clock, .profile = &profile});
  }
  // Leaves no dangling machine behind for a later mixer in the same process.
  ~ManualMixerMachine() { wavemix::WaveMixSetPlatform({}); }
  ManualMixerMachine(const ManualMixerMachine&) = delete;
  ManualMixerMachine& operator=(const ManualMixerMachine&) = delete;

  // An 8-bit mono 11025 Hz wave of `samples` samples at path.
  static void writeWave(const std::filesystem::path& path, std::size_t samples) {
    const auto image = wavemix::testing::RiffBuilder::wave(
        1, 11025, 8, std::vector<std::uint8_t>(samples, 0x90));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }
  // Writes every game wave into folder, each with its own length, and a tune "gos.mid".
  static void writeGameSounds(const std::filesystem::path& folder) {
    std::size_t samples = 300;
    for (const std::string& file : gameWaveFiles()) writeWave(folder / file, samples += 37);
    std::ofstream(folder / "gos.mid", std::ios::binary) << "MThd";
  }

  // The loaded length of each game wave in the session's format, to name queued plays by.
  void learnWaveLengths(game::MixerCues& cues, const std::filesystem::path& folder) {
    for (const std::string& file : gameWaveFiles()) {
      wavemix::WaveMixWave* wave =
          cues.WaveMix1->OpenWave(QString::fromStdString((folder / file).string()));
      names_[wave->header.bufferLength] = file;
      cues.WaveMix1->FreeWave(wave);
    }
  }

  // The files queued on each channel, oldest first.
  std::map<int, std::vector<std::string>> queuedPlays(game::MixerCues& cues) const {
    std::map<int, std::vector<std::string>> plays;
    const wavemix::MixerSnapshot snapshot = wavemix::WaveMixInspect(cues.WaveMix1->session());
    for (int channel = 0; channel < wavemix::kChannelCount; ++channel)
      for (const wavemix::ScheduledPlay& play : snapshot.chains[channel]) {
        auto name = names_.find(play.wave->header.bufferLength);
        plays[channel].push_back(name == names_.end() ? "?" : name->second);
      }
    return plays;
  }

  // Plays blocks (letting the mixer answer each) until `done` or `limit` blocks.
  template <typename Done>
  bool playUntil(Done done, int limit = 400) {
    for (int i = 0; i < limit && !done(); ++i) {
      if (!devices.stream() || !devices.stream()->completeNext()) return done();
      loop.pumpAll();
    }
    return done();
  }

  platform::ManualWaveOutSystem devices;
  platform::QueuedMessageLoop loop;
  platform::ManualClock clock;
  wavemix::testing::MemoryProfile profile;

 private:
  std::map<std::uint32_t, std::string> names_;
};

// What the recorder saw, per channel, in the shape of queuedPlays.
inline std::map<int, std::vector<std::string>> recordedWaves(const testing_support::CueRecorder& recorder) {
  std::map<int, std::vector<std::string>> waves;
  for (const auto& cue : recorder.cues)
    if (cue.kind == "wave") waves[cue.channel].push_back(cue.name);
  return waves;
}

}  // namespace testing_support
