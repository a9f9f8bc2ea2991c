#include "tools/assetgen/NoteName.h"

#include <cmath>

namespace assetgen {

std::optional<int> NoteName::midiKey(std::string_view name) {
  if (name.size() < 2) return std::nullopt;
  static constexpr int kSemitoneOfLetter[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const char letter = name[0];
  if (letter < 'A' || letter > 'G') return std::nullopt;
  int key = kSemitoneOfLetter[letter - 'A'];
  std::size_t pos = 1;
  if (name[pos] == '#') ++key, ++pos;
  else if (name[pos] == 'b') --key, ++pos;
  if (pos >= name.size()) return std::nullopt;
  bool negative = false;
  if (name[pos] == '-') negative = true, ++pos;
  if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '9') return std::nullopt;
  const int octave = (name[pos] - '0') * (negative ? -1 : 1);
  return 12 * (octave + 1) + key;
}

double NoteName::frequency(int midiKey) { return 440.0 * std::pow(2.0, (midiKey - 69) / 12.0); }

}  // namespace assetgen
