#pragma once
// Writes the list of made-up player names: full-width capitals in code page 932, one name a
// line, each line ended by CR LF.
#include <string>
#include <vector>

namespace assetgen {

class NameListWriter {
 public:
  // The 18 letters a player can spell on the name panel.
  static constexpr const char* kAlphabet = "ACDEGIKLMNOPQRSTUY";

  // source: one name a line in ASCII capitals ('#' lines and blank lines are skipped).
  static std::vector<std::string> readNames(const std::string& source);
  // Throws std::runtime_error when a name uses a letter outside the alphabet, is shorter
  // than 2 or longer than 9 letters, or when the count is not expectedCount.
  static std::string encode(const std::vector<std::string>& names, std::size_t expectedCount);
};

}  // namespace assetgen
