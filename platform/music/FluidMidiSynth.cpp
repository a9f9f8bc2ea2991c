#include "platform/music/FluidMidiSynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <chrono>
#include <system_error>

#include "platform/core/BoundedFile.h"
#include "platform/music/MediaDeviceError.h"

namespace platform {

std::filesystem::path chooseSoundFont(std::vector<std::filesystem::path> candidates) {
  std::erase_if(candidates, [](const std::filesystem::path& p) { return p.extension() != ".sf2"; });
  if (candidates.empty()) return {};
  for (const auto& p : candidates)
    if (p.filename() == "FluidR3_GM.sf2") return p;
  std::sort(candidates.begin(), candidates.end());
  return candidates.front();
}

void silenceFluidSynthLog() {
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
    fluid_set_log_function(level, nullptr, nullptr);
}

namespace {

std::filesystem::path findSoundFont(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error))
    found.push_back(it->path());
  return chooseSoundFont(std::move(found));
}

}  // namespace

// Every FluidSynth object; lives on the worker thread only.
//
// The synth and its SoundFont are made once; the audio driver exists only while a tune
// plays (wanted_): made on play, deleted when the tune is stopped, unloaded or has played to
// its end. The player advances only while the driver renders (its timing comes from the
// rendered samples), so a driver that died with the sound server shows as a tick that
// stops moving; it is then deleted and made again at every watch until the server is back.
struct FluidMidiSynth::Engine {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  fluid_player_t* player = nullptr;
  bool wanted = false;  // a tune is playing (or waiting for a driver to play through)
  int lastTick = -1;
  std::chrono::steady_clock::time_point lastProgress{};

  // False when there is no SoundFont: stay silent.
  bool start(const std::filesystem::path& soundFontFolder) {
    const std::filesystem::path soundFont = findSoundFont(soundFontFolder);
    if (soundFont.empty()) return false;
    settings = new_fluid_settings();
    if (!settings) return false;
    // 8192-frame periods (186 ms at 44.1 kHz) instead of 64: the driver thread and the
    // sound server's client thread wake about 5 times a second rather than 690. The start
    // is not delayed by it: the first periods are rendered at once and the tune is heard
    // 10-15 ms after play (a recording of the server's monitor); a stop deletes the driver
    // and with it whatever was queued.
    fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", 2);
    synth = new_fluid_synth(settings);
    return synth && fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED;
  }
  bool ready() const { return synth != nullptr && fluid_synth_sfcount(synth) > 0; }

  void openDriver() {
    if (driver) return;
    for (const char* name : {"pulseaudio", "alsa"}) {
      fluid_settings_setstr(settings, "audio.driver", name);
      driver = new_fluid_audio_driver(settings, synth);
      if (driver) break;
    }
    lastTick = -1;
    lastProgress = std::chrono::steady_clock::now();
  }
  void closeDriver() {
    if (!driver) return;
    delete_fluid_audio_driver(driver);
    driver = nullptr;
  }

  void dropPlayer() {
    wanted = false;
    closeDriver();
    if (!player) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
    fluid_synth_all_sounds_off(synth, -1);
  }
  void load(const std::string& tune) {
    dropPlayer();
    fluid_synth_system_reset(synth);
    player = new_fluid_player(synth);
    if (player && fluid_player_add_mem(player, tune.data(), tune.size()) != FLUID_OK) {
      delete_fluid_player(player);
      player = nullptr;
    }
  }
  void play() {
    if (!player) return;
    if (fluid_player_get_status(player) == FLUID_PLAYER_DONE) fluid_player_seek(player, 0);
    fluid_player_play(player);
    wanted = true;
    openDriver();
  }
  void stop() {
    wanted = false;
    closeDriver();
    if (!player) return;
    fluid_player_stop(player);
    fluid_synth_all_sounds_off(synth, -1);
  }
  // Called every kWatchMs while a tune is wanted.
  void watch() {
    if (!wanted || !player) return;
    const int total = fluid_player_get_total_ticks(player);
    if (fluid_player_get_status(player) == FLUID_PLAYER_DONE ||
        (total > 0 && fluid_player_get_current_tick(player) >= total)) {
      // The tune has ended (and had a watch interval to ring out): let the output go.
      wanted = false;
      closeDriver();
      return;
    }
    const auto now = std::chrono::steady_clock::now();
    const int tick = fluid_player_get_current_tick(player);
    if (driver && tick != lastTick) {
      lastTick = tick;
      lastProgress = now;
      return;
    }
    // A driver that stopped rendering (its sound server went away), or none (no server
    // yet): made again, at most once a kStalledMs, until a server takes it.
    if (now - lastProgress < std::chrono::milliseconds(kStalledMs)) return;
    closeDriver();
    openDriver();
  }

  ~Engine() {
    closeDriver();  // first: no more rendering callbacks
    if (player) delete_fluid_player(player);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

FluidMidiSynth::FluidMidiSynth(std::filesystem::path soundFontFolder)
    : soundFontFolder_(std::move(soundFontFolder)) {
  silenceFluidSynthLog();
  worker_ = std::thread([this] { run(); });
}

FluidMidiSynth::~FluidMidiSynth() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void FluidMidiSynth::load(const std::filesystem::path& path) {
  // Read here, bounded and without blocking on a pipe, so that a missing, endless or
  // foreign file fails the open at once, as a device would.
  const platform::BoundedFile file = platform::readBoundedFile(path, kMaxTuneBytes);
  if (!file.ok() || !file.text().starts_with("MThd"))
    throw MediaDeviceError("The specified file was not found or is not a MIDI file: " +
                           path.string());
  enqueue({Command::Kind::Load, std::string(file.text())});
}

void FluidMidiSynth::play() { enqueue({Command::Kind::Play, {}}); }
void FluidMidiSynth::stop() { enqueue({Command::Kind::Stop, {}}); }
void FluidMidiSynth::unload() { enqueue({Command::Kind::Unload, {}}); }

void FluidMidiSynth::drain() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return commands_.empty() && !busy_; });
}

void FluidMidiSynth::enqueue(Command command) {
  {
    std::lock_guard lock(mutex_);
    commands_.push_back(std::move(command));
  }
  wake_.notify_one();
}

void FluidMidiSynth::run() {
  Engine engine;
  bool started = false;
  std::unique_lock lock(mutex_);
  for (;;) {
    // Asleep until a command arrives; while a tune plays, also woken to watch over it.
    const auto hasWork = [this] { return quit_ || !commands_.empty(); };
    if (engine.wanted) {
      wake_.wait_for(lock, std::chrono::milliseconds(kWatchMs), hasWork);
    } else {
      wake_.wait(lock, hasWork);
    }
    if (quit_) break;
    if (commands_.empty()) {
      lock.unlock();
      engine.watch();
      lock.lock();
      continue;
    }
    Command command = std::move(commands_.front());
    commands_.pop_front();
    busy_ = true;
    lock.unlock();
    if (!started) {
      started = true;
      engine.start(soundFontFolder_);
    }
    if (engine.ready()) {
      switch (command.kind) {
        case Command::Kind::Load: engine.load(command.tune); break;
        case Command::Kind::Play: engine.play(); break;
        case Command::Kind::Stop: engine.stop(); break;
        case Command::Kind::Unload: engine.dropPlayer(); break;
      }
    }
    lock.lock();
    busy_ = false;
    if (commands_.empty()) idle_.notify_all();
  }
  lock.unlock();
  // engine is destroyed here, on the thread that made it.
}

}  // namespace platform
