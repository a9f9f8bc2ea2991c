#pragma once
// The sound recipes: a text list of waves, each a sum of simple voices.
//
//   wave NAME bits=8|16 channels=1|2 rate=HZ [peak=0..1] [length=SECONDS]
//   voice KIND t=START d=DURATION f=FREQ [g=END_FREQ] [a=AMP] [at=ATTACK] [dc=DECAY]
//         [rl=RELEASE] [pan=-1..1] [lp=CUTOFF_HZ] [vib=SEMITONES] [vr=RATE_HZ] [fb=FEEDBACK]
//
// KIND is sine, square, triangle, saw, noise or pluck (a plucked string). Times are seconds,
// FREQ is Hz or a note name ("A4"). '#' starts a comment when it follows white space or
// begins the line.
#include "tools/assetgen/WavWriter.h"

#include <string>
#include <vector>

namespace assetgen {

enum class VoiceKind { Sine, Square, Triangle, Saw, Noise, Pluck };

struct Voice {
  VoiceKind kind = VoiceKind::Sine;
  double start = 0;      // seconds from the start of the wave
  double duration = 0.1; // seconds, release included
  double freq = 440;     // Hz at the start
  double endFreq = 440;  // Hz at the end (exponential glide)
  double amp = 0.5;
  double attack = 0.005;  // seconds of linear rise
  double decay = 0;       // time constant of the exponential fall after the attack; 0 = hold
  double release = 0.01;  // seconds of linear fade before the end
  double pan = 0;         // -1 left … 1 right (stereo waves only)
  double lowpass = 0;     // one-pole cut-off in Hz; 0 = none
  double vibrato = 0;     // depth in semitones
  double vibratoRate = 5.5;
  double feedback = 0.996;  // plucked string: loss per round trip
};

struct SoundRecipe {
  std::string fileName;
  PcmFormat format;
  double peak = 0.8;   // the mixed wave is scaled so its largest sample has this magnitude
  double length = 0;   // seconds; 0 = until the last voice ends
  std::vector<Voice> voices;
};

class SoundRecipeParser {
 public:
  // Throws std::runtime_error naming the line on malformed input.
  static std::vector<SoundRecipe> parse(const std::string& text);
};

}  // namespace assetgen
