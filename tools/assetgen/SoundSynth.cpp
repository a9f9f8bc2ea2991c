#include "tools/assetgen/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace assetgen {
namespace {

class NoiseSource {
 public:
  explicit NoiseSource(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  double next() {  // uniform in -1..1
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
  }

 private:
  std::uint32_t state_;
};

// Band-limited step correction that keeps square and saw waves from aliasing much.
double polyBlep(double phase, double step) {
  if (phase < step) {
    const double t = phase / step;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - step) {
    const double t = (phase - 1.0) / step;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double envelope(const Voice& v, double t) {
  double level = 1.0;
  if (v.attack > 0 && t < v.attack) level = t / v.attack;
  else if (v.decay > 0) level = std::exp(-(t - v.attack) / v.decay);
  const double untilEnd = v.duration - t;
  if (v.release > 0 && untilEnd < v.release) level *= std::max(0.0, untilEnd / v.release);
  return level;
}

std::vector<double> renderVoice(const Voice& v, int rate, std::uint32_t seed) {
  const std::size_t frames = static_cast<std::size_t>(v.duration * rate);
  std::vector<double> out(frames);
  NoiseSource noise(seed);
  double phase = 0.0;
  double filtered = 0.0;
  const double filterAlpha =
      v.lowpass > 0 ? 1.0 - std::exp(-2.0 * std::numbers::pi * v.lowpass / rate) : 1.0;
  std::vector<double> string;
  std::size_t stringPos = 0;
  if (v.kind == VoiceKind::Pluck) {
    string.resize(std::max<std::size_t>(2, static_cast<std::size_t>(std::lround(rate / v.freq))));
    for (double& s : string) s = noise.next();
  }
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double glide = v.duration > 0 ? t / v.duration : 0.0;
    double freq = v.freq * std::pow(v.endFreq / v.freq, glide);
    if (v.vibrato != 0) freq *= std::pow(2.0, v.vibrato / 12.0 * std::sin(2 * std::numbers::pi * v.vibratoRate * t));
    const double step = std::min(0.5, freq / rate);
    double s = 0.0;
    switch (v.kind) {
      case VoiceKind::Sine: s = std::sin(2 * std::numbers::pi * phase); break;
      case VoiceKind::Square:
        s = (phase < 0.5 ? 1.0 : -1.0) + polyBlep(phase, step) - polyBlep(std::fmod(phase + 0.5, 1.0), step);
        break;
      case VoiceKind::Triangle: s = 1.0 - 4.0 * std::abs(phase - 0.5); break;
      case VoiceKind::Saw: s = 2.0 * phase - 1.0 - polyBlep(phase, step); break;
      case VoiceKind::Noise: s = noise.next(); break;
      case VoiceKind::Pluck: {
        const std::size_t next = (stringPos + 1) % string.size();
        s = string[stringPos];
        string[stringPos] = v.feedback * 0.5 * (string[stringPos] + string[next]);
        stringPos = next;
        break;
      }
    }
    phase += freq / rate;
    phase -= std::floor(phase);
    filtered += filterAlpha * (s - filtered);
    out[i] = filtered * v.amp * envelope(v, t);
  }
  return out;
}

}  // namespace

std::vector<float> SoundSynth::render(const SoundRecipe& recipe) {
  const int rate = recipe.format.sampleRate;
  const int channels = recipe.format.channels;
  double length = recipe.length;
  if (length <= 0)
    for (const Voice& v : recipe.voices) length = std::max(length, v.start + v.duration);
  const std::size_t frames = static_cast<std::size_t>(length * rate);
  std::vector<double> mix(frames * channels, 0.0);
  std::uint32_t seed = 1;
  for (const Voice& v : recipe.voices) {
    const std::vector<double> voice = renderVoice(v, rate, seed++);
    const std::size_t first = static_cast<std::size_t>(v.start * rate);
    // Constant-power pan; a mono wave takes the voice at full level.
    const double angle = (std::clamp(v.pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
    const double gains[2] = {channels == 2 ? std::cos(angle) * std::numbers::sqrt2 : 1.0,
                             channels == 2 ? std::sin(angle) * std::numbers::sqrt2 : 1.0};
    for (std::size_t i = 0; i < voice.size() && first + i < frames; ++i)
      for (int c = 0; c < channels; ++c) mix[(first + i) * channels + c] += voice[i] * gains[c];
  }
  double peak = 0.0;
  for (double s : mix) peak = std::max(peak, std::abs(s));
  const double scale = peak > 0 ? recipe.peak / peak : 0.0;
  std::vector<float> out(mix.size());
  for (std::size_t i = 0; i < mix.size(); ++i) out[i] = static_cast<float>(mix[i] * scale);
  return out;
}

}  // namespace assetgen
