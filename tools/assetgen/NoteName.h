#pragma once
// Pitch names in scientific notation ("A4" = 440 Hz, "C#5", "Eb3") for the sound recipes
// and the tune's score.
#include <optional>
#include <string_view>

namespace assetgen {

class NoteName {
 public:
  // MIDI key number (C4 = 60) of a name like "G#4" or "Bb2"; nullopt when malformed.
  static std::optional<int> midiKey(std::string_view name);
  // Equal-tempered frequency in Hz of a MIDI key number.
  static double frequency(int midiKey);
};

}  // namespace assetgen
