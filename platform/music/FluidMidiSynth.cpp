#include "platform/music/FluidMidiSynth.h"

#include <fluidsynth.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <utility>
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

// Ends the voices whose release has faded 60 dB below its start, which FluidSynth would
// otherwise render to the envelope's end, 96 dB down. The string ensemble's notes release
// over 2.4-3 s with five voices each, so such tails were a fifth of the voices the title
// tune keeps sounding (49 on average, 39 with the cut) and of the rendering work. A whole
// rendering of that tune with and without the cut differs by -93 dBFS RMS, 61 dB below
// the music.
//
// A release falls linearly in decibels over the voice's release time (96 dB in all), so
// 60 dB is reached after 60/96 of it. The release is taken to have begun when a scan first
// sees the voice released, so a tail is cut late rather than early.
//
// Runs between renders, on the thread that renders, as FluidSynth wants for voice access.
class ReleaseTrimmer {
 public:
  ReleaseTrimmer() {
    seen_.reserve(kMaxVoices);
    next_.reserve(kMaxVoices);
  }
  // now: frames rendered so far; rate: frames per second.
  void trim(fluid_synth_t* synth, long long now, double rate) {
    std::array<fluid_voice_t*, kMaxVoices> voices{};
    fluid_synth_get_voicelist(synth, voices.data(), kMaxVoices, -1);
    next_.clear();
    for (fluid_voice_t* voice : voices) {
      if (!voice) break;
      if (fluid_voice_is_on(voice) || fluid_voice_is_sustained(voice) ||
          fluid_voice_is_sostenuto(voice))
        continue;
      const float release = fluid_voice_gen_get(voice, GEN_VOLENVRELEASE);  // timecents
      if (release <= kEndingRelease) continue;                               // ends already
      const unsigned id = fluid_voice_get_id(voice);
      const auto known =
          std::find_if(seen_.begin(), seen_.end(), [id](const auto& v) { return v.first == id; });
      const long long since = known == seen_.end() ? now : known->second;
      next_.emplace_back(id, since);
      const double releaseFrames = std::exp2(release / 1200.0) * rate;
      if (static_cast<double>(now - since) < kFadedShare * releaseFrames) continue;
      // Shorter than the time already spent in release: the envelope ends at the next block.
      fluid_voice_gen_set(voice, GEN_VOLENVRELEASE, kEndingRelease);
      fluid_voice_update_param(voice, GEN_VOLENVRELEASE);
    }
    seen_.swap(next_);
  }

 private:
  static constexpr int kMaxVoices = 256;  // FluidSynth's default polyphony
  static constexpr double kFadedShare = 60.0 / 96.0;
  static constexpr float kEndingRelease = -12000;  // timecents; FluidSynth uses at least 16 ms
  std::vector<std::pair<unsigned, long long>> seen_;  // voice (note) id, frame its release was seen
  std::vector<std::pair<unsigned, long long>> next_;
};

// The tune's PulseAudio stream, rendered on the client library's own thread.
//
// FluidSynth's own pulseaudio driver leaves the stream's request size to the server, which
// asks for 20 ms at a time whatever the period: the driver's thread and the client
// library's thread then wake about 100 times a second. Here the server is asked for whole
// writes (minreq), and each request is answered inside the library's write callback, on its
// own thread: one thread wakes for each write, about 11 times a second, with no second
// thread blocked in a write to hand the samples over.
//
// Every call on the stream and every render holds the main loop's lock, which the library's
// thread holds while it runs a callback: deleting the stream waits for a render under way
// (a few milliseconds) and then drops whatever the server still holds.
class TuneStream {
 public:
  // Null when no PulseAudio server takes the stream.
  static std::unique_ptr<TuneStream> open(fluid_synth_t* synth, int rate, int writeFrames) {
    std::unique_ptr<TuneStream> stream(new TuneStream(synth, rate, writeFrames));
    if (!stream->connect()) return nullptr;
    return stream;
  }
  ~TuneStream() {
    if (!loop_) return;
    pa_threaded_mainloop_lock(loop_);
    if (stream_) {
      pa_stream_set_write_callback(stream_, nullptr, nullptr);
      pa_stream_set_state_callback(stream_, nullptr, nullptr);
      pa_stream_disconnect(stream_);
      pa_stream_unref(stream_);
    }
    if (context_) {
      pa_context_set_state_callback(context_, nullptr, nullptr);
      pa_context_disconnect(context_);
      pa_context_unref(context_);
    }
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
  }
  TuneStream(const TuneStream&) = delete;
  TuneStream& operator=(const TuneStream&) = delete;

 private:
  class LoopLock {
   public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

   private:
    pa_threaded_mainloop* loop_;
  };

  TuneStream(fluid_synth_t* synth, int rate, int writeFrames)
      : synth_(synth), rate_(rate), frames_(writeFrames),
        samples_(2 * static_cast<std::size_t>(writeFrames)) {}

  // Blocks until the server has taken the stream or refused it.
  bool connect() {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_) return false;
    LoopLock lock(loop_);
    // The application name is the one FluidSynth's driver gave, which the sound checks
    // look for.
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "FluidSynth");
    if (!context_) return false;
    pa_context_set_state_callback(context_, &TuneStream::stateChanged, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0)
      return false;
    if (!waitUntil([this] { return pa_context_get_state(context_); }, PA_CONTEXT_READY,
                   [](pa_context_state_t state) { return PA_CONTEXT_IS_GOOD(state); }))
      return false;

    pa_sample_spec samples{};
    samples.format = PA_SAMPLE_FLOAT32NE;
    samples.channels = 2;
    samples.rate = static_cast<std::uint32_t>(rate_);
    // The server keeps latency = (tlength - 2 * minreq) / 2 in the sink (one write here, a
    // bound it can lower for other streams) and the rest in the stream's buffer. Playback
    // starts once one write has arrived.
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = 4 * writeBytes();
    attr.prebuf = writeBytes();
    attr.minreq = writeBytes();
    attr.fragsize = static_cast<std::uint32_t>(-1);
    stream_ = pa_stream_new(context_, "tune", &samples, nullptr);
    if (!stream_) return false;
    pa_stream_set_state_callback(stream_, &TuneStream::stateChanged, this);
    pa_stream_set_write_callback(stream_, &TuneStream::writeWanted, this);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0)
      return false;
    return waitUntil([this] { return pa_stream_get_state(stream_); }, PA_STREAM_READY,
                     [](pa_stream_state_t state) { return PA_STREAM_IS_GOOD(state); });
  }

  // Blocks, the loop's lock held, until state() is ready; false once it is no longer good
  // (the server refused or went away). stateChanged() wakes each wait.
  template <typename GetState, typename State, typename IsGood>
  bool waitUntil(GetState state, State ready, IsGood isGood) {
    for (State now = state(); now != ready; now = state()) {
      if (!isGood(now)) return false;
      pa_threaded_mainloop_wait(loop_);
    }
    return true;
  }

  std::uint32_t writeBytes() const {
    return static_cast<std::uint32_t>(samples_.size() * sizeof(float));
  }

  // Context or stream: wakes connect(). When the server goes, the requests stop, and with
  // them the rendering: the tune's position stops moving and the worker's watch makes a
  // new output.
  template <typename Object>
  static void stateChanged(Object*, void* self) {
    pa_threaded_mainloop_signal(static_cast<TuneStream*>(self)->loop_, 0);
  }

  static void writeWanted(pa_stream*, std::size_t, void* self) {
    static_cast<TuneStream*>(self)->render();
  }

  // Whole writes, as many as the server has room for.
  void render() {
    while (pa_stream_writable_size(stream_) >= writeBytes()) {
      trimmer_.trim(synth_, rendered_, rate_);
      fluid_synth_write_float(synth_, frames_, samples_.data(), 0, 2, samples_.data(), 1, 2);
      rendered_ += frames_;
      if (pa_stream_write(stream_, samples_.data(), writeBytes(), nullptr, 0, PA_SEEK_RELATIVE) < 0)
        return;
    }
  }

  fluid_synth_t* synth_;
  double rate_;
  int frames_;
  std::vector<float> samples_;  // interleaved stereo
  ReleaseTrimmer trimmer_;
  long long rendered_ = 0;  // frames
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
};

}  // namespace

// Every FluidSynth object; lives on the worker thread only.
//
// The synth and its SoundFont are made once; the output exists only while a tune plays
// (wanted): made on play, deleted when the tune is stopped, unloaded or has played to its
// end. The player advances only while the output renders (its timing comes from the
// rendered samples), so an output that died with the sound server shows as a tick that
// stops moving; it is then deleted and made again at every watch until the server is back.
struct FluidMidiSynth::Engine {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  // The output while a tune plays: our PulseAudio stream, else FluidSynth's ALSA driver.
  std::unique_ptr<TuneStream> stream;
  fluid_audio_driver_t* driver = nullptr;
  fluid_player_t* player = nullptr;
  bool wanted = false;  // a tune is playing (or waiting for an output to play through)
  int lastTick = -1;
  std::chrono::steady_clock::time_point lastProgress{};

  // False when there is no SoundFont: stay silent.
  bool start(const std::filesystem::path& soundFontFolder) {
    const std::filesystem::path soundFont = findSoundFont(soundFontFolder);
    if (soundFont.empty()) return false;
    settings = new_fluid_settings();
    if (!settings) return false;
    // For the ALSA driver: 8192-frame periods instead of 64, so its thread wakes about 3
    // times a second rather than 345. The first periods are rendered at once, so the start
    // is not delayed; a stop deletes the driver and with it whatever was queued.
    fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", 2);
    // 22.05 kHz: half the work of 44.1 kHz. Only the top of the title tune's spectrum
    // changes (recordings of both): its octave bands up to 8 kHz agree within 0.4 dB, as a
    // 48 kHz rendering agrees with a 44.1 kHz one; the 8-11 kHz band, 31 dB below the whole,
    // drops by 8 dB, and what lay above 11 kHz, 43 dB below the whole, is gone. Most voices
    // are the strings, whose samples hold nothing above 6 kHz.
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    synth = new_fluid_synth(settings);
    return synth && fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED;
  }
  bool ready() const { return synth != nullptr && fluid_synth_sfcount(synth) > 0; }

  bool hasOutput() const { return stream || driver; }
  void openOutput() {
    if (hasOutput()) return;
    stream = TuneStream::open(synth, static_cast<int>(kSampleRate), kWriteFrames);
    if (!stream) {
      fluid_settings_setstr(settings, "audio.driver", "alsa");
      driver = new_fluid_audio_driver(settings, synth);
    }
    lastTick = -1;
    lastProgress = std::chrono::steady_clock::now();
  }
  void closeOutput() {
    stream.reset();
    if (!driver) return;
    delete_fluid_audio_driver(driver);
    driver = nullptr;
  }

  void dropPlayer() {
    wanted = false;
    closeOutput();
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
    openOutput();
  }
  void stop() {
    wanted = false;
    closeOutput();
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
      closeOutput();
      return;
    }
    const auto now = std::chrono::steady_clock::now();
    const int tick = fluid_player_get_current_tick(player);
    if (hasOutput() && tick != lastTick) {
      lastTick = tick;
      lastProgress = now;
      return;
    }
    // An output that stopped rendering (its sound server went away), or none (no server
    // yet): made again, at most once a kStalledMs, until a server takes it.
    if (now - lastProgress < std::chrono::milliseconds(kStalledMs)) return;
    closeOutput();
    openOutput();
  }

  ~Engine() {
    closeOutput();  // first: no more rendering callbacks
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
