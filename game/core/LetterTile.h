#pragma once
// The name panel's letter tiles: what each adds to the name and what it sets off.
#include <array>

namespace game {

struct LetterTile {
  const char* letter;  // nullptr for the erase tile
  const char* sound;
  const char* remark;  // said directly on the speech line, or nullptr
  const char* face;    // portrait change, or nullptr
};

// The tiles Image18 … Image36, in order; the second erases the last letter.
const std::array<LetterTile, 19>& letterTiles();

}  // namespace game
