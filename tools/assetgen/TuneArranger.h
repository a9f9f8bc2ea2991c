#pragma once
// Turns a score into MIDI tracks: the melody as written, and a waltz accompaniment drawn
// from each bar's chord: the bass on the first beat, organ chords on the other beats,
// strings holding the chord through the bar.
#include "tools/assetgen/SmfWriter.h"
#include "tools/assetgen/TuneScore.h"

#include <vector>

namespace assetgen {

class TuneArranger {
 public:
  // Track 0 is the conductor track (tempo, metre, key of A minor); then one track per part
  // of the score, in the score's order. The final chord is held one extra bar.
  static std::vector<MidiTrack> arrange(const TuneScore& score);
  // Length in seconds of the arranged tune (form bars plus the held final bar).
  static double durationSeconds(const TuneScore& score);
};

}  // namespace assetgen
