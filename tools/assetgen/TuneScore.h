#pragma once
// The tune's score as written in assets/music: sections of bars, each bar one chord and a
// stretch of melody, played in the order of the form.
//
//   tempo QUARTERS_PER_MINUTE
//   beats N                      # quarter notes per bar
//   part ROLE channel=C program=P volume=V pan=P   # ROLE: melody, strings, organ, bass
//   section NAME
//   chords CHORD CHORD …        # one per bar: Am, C, E7, Bdim, Dm7, G#dim …
//   melody NOTE/LEN NOTE/LEN | …   # LEN: w h q e s with an optional leading d (dotted);
//                                  # NOTE r is a rest; '|' must fall on bar lines
//   form NAME NAME …
// A "#" at the start of a word begins a comment.
#include <map>
#include <string>
#include <vector>

namespace assetgen {

struct Chord {
  int root = 9;                   // pitch class, C = 0
  std::vector<int> intervals;     // semitones above the root, root included (0)
};

struct MelodyNote {
  int key = -1;     // MIDI key, -1 for a rest
  int ticks = 0;    // length in ticks (480 per quarter)
};

struct ScoreSection {
  std::vector<Chord> chords;        // one per bar
  std::vector<MelodyNote> melody;   // exactly chords.size() bars long
};

struct ScorePart {
  std::string role;
  int channel = 0, program = 0, volume = 100, pan = 64;
};

struct TuneScore {
  static constexpr int kTicksPerQuarter = 480;
  double tempo = 120;
  int beats = 3;
  std::vector<ScorePart> parts;
  std::map<std::string, ScoreSection> sections;
  std::vector<std::string> form;

  int ticksPerBar() const { return beats * kTicksPerQuarter; }
  // Throws std::runtime_error naming the line on malformed input (unknown chord or note,
  // a bar whose melody does not fill it, a form naming an unknown section).
  static TuneScore parse(const std::string& text);
  static Chord parseChord(const std::string& name);  // throws std::invalid_argument
};

}  // namespace assetgen
