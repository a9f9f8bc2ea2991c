#pragma once
// The synthesizer behind the hidden media player: it holds at most one tune and plays it
// through some audio output. MidiPlayer drives it; tests drive MidiPlayer over a recording
// double. Every call comes from the GUI thread and must return quickly.
#include <filesystem>

namespace platform {

class MidiSynth {
 public:
  virtual ~MidiSynth() = default;
  // Takes the tune at path, positioned at its beginning, replacing any tune held before.
  // Throws MediaDeviceError when the file is missing or not a standard MIDI file; the
  // synth then holds no tune.
  virtual void load(const std::filesystem::path& path) = 0;
  // Plays the held tune from its current position; a tune that has played to its end
  // starts again from its beginning.
  virtual void play() = 0;
  // Stops the held tune where it is and silences every sounding note.
  virtual void stop() = 0;
  // Drops the held tune (silencing it). Nothing happens when none is held.
  virtual void unload() = 0;
};

}  // namespace platform
