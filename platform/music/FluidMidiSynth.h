#pragma once
// MidiSynth on FluidSynth and a General MIDI SoundFont from /usr/share/sounds/sf2/, heard
// through a PulseAudio stream of its own, else FluidSynth's "alsa" driver.
//
// Threads: the public calls run on the GUI thread and only queue a command, after a cheap
// check of the file in load(). One worker thread owns every FluidSynth object: it creates
// the synth when the first command arrives and carries the commands out in order. With no
// SoundFont the commands are dropped: the music is silent and nothing is reported.
//
// The output exists only while a tune plays: made on play, deleted on stop, unload and
// when the tune has ended, so a silent player costs nothing and keeps no stream open at the
// sound server. While a tune plays the worker wakes every kWatchMs to notice its end and an
// output that stopped rendering (the sound server went away) or could not be made (no
// server yet); the output is then made again, at most once a kStalledMs, until a server
// takes it, and the tune goes on from where it stopped.
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/MidiSynth.h"

namespace platform {

class FluidMidiSynth final : public MidiSynth {
 public:
  // soundFontFolder: where *.sf2 files are looked for.
  explicit FluidMidiSynth(std::filesystem::path soundFontFolder = "/usr/share/sounds/sf2");
  ~FluidMidiSynth() override;
  FluidMidiSynth(const FluidMidiSynth&) = delete;
  FluidMidiSynth& operator=(const FluidMidiSynth&) = delete;

  void load(const std::filesystem::path& path) override;
  void play() override;
  void stop() override;
  void unload() override;

  // Blocks until every command queued so far has been carried out (for an orderly exit
  // and for checks); never called from a FluidSynth callback.
  void drain();

 private:
  struct Command {
    enum class Kind { Load, Play, Stop, Unload } kind;
    std::string tune;  // Load: the whole Standard MIDI File
  };
  struct Engine;

  static constexpr double kSampleRate = 22050;  // Hz
  static constexpr int kPeriodFrames = 8192;    // FluidSynth's ALSA driver
  static constexpr int kWriteFrames = 2048;     // each write to our PulseAudio stream: 93 ms
  // Far above any tune a game ships; a larger "tune" is refused before it is read.
  static constexpr std::size_t kMaxTuneBytes = 4u << 20;
  static constexpr int kWatchMs = 250;
  static constexpr int kStalledMs = 1000;  // no progress for this long: the output is dead

  void enqueue(Command command);
  void run();

  std::filesystem::path soundFontFolder_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<Command> commands_;
  bool busy_ = false;
  bool quit_ = false;
  std::thread worker_;
};

// The SoundFont to use among the files found: "FluidR3_GM.sf2" when present, else the
// first *.sf2 in name order; empty when there is none.
std::filesystem::path chooseSoundFont(std::vector<std::filesystem::path> candidates);

// Sends FluidSynth's log messages nowhere (it writes to stderr by default).
void silenceFluidSynthLog();

}  // namespace platform
