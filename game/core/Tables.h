#pragma once
// The game's text tables: the three built-in tables the readings are assembled from, the
// name list read from dat/name.dat, and the syllables that made-up names are built from.
//
// Every table has 256 slots indexed from 0; a slot that was never filled holds "". Text is
// UTF-8. The engine owns one Tables, filled at start-up and only read afterwards.
#include <array>
#include <cstddef>
#include <string>

namespace game {

using StringTable = std::array<std::string, 256>;  // empty slots are ""

struct Tables;

// Fills choiceWords, then luckyItems, then adviceLines with the built-in texts. Slots past the
// built-in entries are set to "", so calling it again restores the tables exactly.
void fillBuiltInTables(Tables& tables);

struct Tables {
  Tables() { fillBuiltInTables(*this); }  // the name list empty
  StringTable choiceWords;  // slots 0–99: the words offered on the choice panel
  StringTable luckyItems;   // slots 0–49: lucky items of a single reading
  StringTable adviceLines;  // slots 0–100: advice sentences of a single reading
  StringTable nameList;     // slots 0–254: dat/name.dat, line k in slot k−1
};

// The 92 syllable units of made-up names: 66 full-width katakana (one character each), then
// 26 units of two half-width katakana (e.g. "ﾁｬ"). Every unit is 2 bytes in CP932.
const std::array<std::string, 92>& syllableUnits();

// Number of slots that hold a non-empty string.
std::size_t filledSlotCount(const StringTable& table);

}  // namespace game
