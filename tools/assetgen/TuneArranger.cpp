#include "tools/assetgen/TuneArranger.h"

#include <stdexcept>

namespace assetgen {
namespace {

// The chord tone with the given pitch class lying in [low, low + 12).
int placeInRange(int pitchClass, int low) {
  int key = low + ((pitchClass - low) % 12 + 12) % 12;
  return key;
}

void addNote(MidiTrack& track, int channel, std::uint32_t tick, int ticks, int key, int velocity) {
  track.events.push_back(SmfWriter::noteOn(tick, channel, key, velocity));
  track.events.push_back(SmfWriter::noteOff(tick + static_cast<std::uint32_t>(ticks), channel, key));
}

void accompany(MidiTrack& track, const ScorePart& part, const Chord& chord, std::uint32_t barStart,
               int ticksPerBar, int beats, int barIndex, bool finalHold) {
  const int beat = TuneScore::kTicksPerQuarter;
  if (part.role == "bass") {
    // Alternate root and fifth on the downbeat, as a waltz bass does.
    const int pitch = (barIndex % 2 == 1 && !finalHold) ? (chord.root + 7) % 12 : chord.root;
    addNote(track, part.channel, barStart, finalHold ? ticksPerBar : beat * 9 / 10, placeInRange(pitch, 36), 100);
  } else if (part.role == "organ") {
    if (finalHold) {
      for (int interval : chord.intervals) addNote(track, part.channel, barStart, ticksPerBar, placeInRange(chord.root + interval, 57), 64);
      return;
    }
    for (int b = 1; b < beats; ++b)
      for (int interval : chord.intervals)
        addNote(track, part.channel, barStart + static_cast<std::uint32_t>(b * beat), beat * 6 / 10,
                placeInRange(chord.root + interval, 57), b == 1 ? 70 : 60);
  } else if (part.role == "strings") {
    for (std::size_t i = 0; i < chord.intervals.size() && i < 3; ++i)
      addNote(track, part.channel, barStart, ticksPerBar - 10, placeInRange(chord.root + chord.intervals[i], 50), 58);
  } else if (part.role != "melody") {
    throw std::runtime_error("score: unknown part role " + part.role);
  }
}

}  // namespace

std::vector<MidiTrack> TuneArranger::arrange(const TuneScore& score) {
  std::vector<MidiTrack> tracks(1 + score.parts.size());
  MidiTrack& conductor = tracks[0];
  conductor.events.push_back(SmfWriter::trackName(0, "Star Stick Waltz"));
  conductor.events.push_back(SmfWriter::timeSignature(0, score.beats, 4));
  conductor.events.push_back(SmfWriter::keySignature(0, 0, true));
  conductor.events.push_back(SmfWriter::tempo(0, score.tempo));

  for (std::size_t p = 0; p < score.parts.size(); ++p) {
    const ScorePart& part = score.parts[p];
    MidiTrack& track = tracks[p + 1];
    track.events.push_back(SmfWriter::trackName(0, part.role));
    track.events.push_back(SmfWriter::programChange(0, part.channel, part.program));
    track.events.push_back(SmfWriter::controlChange(0, part.channel, 7, part.volume));
    track.events.push_back(SmfWriter::controlChange(0, part.channel, 10, part.pan));
    track.events.push_back(SmfWriter::controlChange(0, part.channel, 91, 60));  // reverb send

    std::uint32_t barStart = 0;
    int barIndex = 0;
    const Chord* lastChord = nullptr;
    for (const std::string& name : score.form) {
      const ScoreSection& section = score.sections.at(name);
      if (part.role == "melody") {
        std::uint32_t tick = barStart;
        for (const MelodyNote& note : section.melody) {
          if (note.key >= 0) {
            const bool downbeat = (tick % static_cast<std::uint32_t>(score.ticksPerBar())) == 0;
            addNote(track, part.channel, tick, note.ticks * 9 / 10, note.key, downbeat ? 100 : 84);
          }
          tick += static_cast<std::uint32_t>(note.ticks);
        }
      }
      for (const Chord& chord : section.chords) {
        accompany(track, part, chord, barStart, score.ticksPerBar(), score.beats, barIndex, false);
        barStart += static_cast<std::uint32_t>(score.ticksPerBar());
        ++barIndex;
        lastChord = &chord;
      }
    }
    if (lastChord) accompany(track, part, *lastChord, barStart, score.ticksPerBar(), score.beats, barIndex, true);
  }
  return tracks;
}

double TuneArranger::durationSeconds(const TuneScore& score) {
  std::size_t bars = 1;
  for (const std::string& name : score.form) bars += score.sections.at(name).chords.size();
  return static_cast<double>(bars) * score.beats * 60.0 / score.tempo;
}

}  // namespace assetgen
