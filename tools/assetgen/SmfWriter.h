#pragma once
// Writes Standard MIDI Files (format 1: one conductor track, then one track per part).
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct MidiEvent {
  std::uint32_t tick = 0;      // absolute time in ticks from the start of the tune
  std::vector<std::uint8_t> bytes;  // a channel message, or FF type length data for a meta event
};

struct MidiTrack {
  std::vector<MidiEvent> events;  // any order; the writer sorts by tick, stably
};

class SmfWriter {
 public:
  // ticksPerQuarter: the header's division. Each track is closed with an end-of-track
  // event at its last tick. At one tick, note-offs (and note-ons of velocity 0) are written
  // before other messages so a repeated note is not cut by its own release.
  static std::string encode(const std::vector<MidiTrack>& tracks, std::uint16_t ticksPerQuarter);

  // Helpers for common events.
  static MidiEvent noteOn(std::uint32_t tick, int channel, int key, int velocity);
  static MidiEvent noteOff(std::uint32_t tick, int channel, int key);
  static MidiEvent programChange(std::uint32_t tick, int channel, int program);
  static MidiEvent controlChange(std::uint32_t tick, int channel, int controller, int value);
  static MidiEvent tempo(std::uint32_t tick, double quartersPerMinute);
  static MidiEvent timeSignature(std::uint32_t tick, int numerator, int denominator);
  static MidiEvent keySignature(std::uint32_t tick, int sharps, bool minor);
  static MidiEvent trackName(std::uint32_t tick, const std::string& name);
};

}  // namespace assetgen
