#pragma once
// Where the name panel's picture draws each tile: the letter tiles, the erase tile and the
// OK tile, in the panel's pixel coordinates (297 × 137). The game's hotspots lie over them.
#include <QRect>
#include <array>

namespace art {

struct NameTile {
  const char* label;  // a capital letter, "erase" or "OK"
  QRect rect;
};

inline constexpr std::array<NameTile, 20> kNameTiles{{
    {"A", QRect(8, 4, 37, 29)},    {"erase", QRect(48, 4, 33, 29)}, {"C", QRect(84, 4, 29, 29)},
    {"D", QRect(116, 8, 29, 29)},  {"E", QRect(148, 4, 29, 29)},    {"G", QRect(176, 4, 37, 29)},
    {"K", QRect(220, 4, 37, 33)},  {"L", QRect(260, 8, 29, 29)},    {"I", QRect(4, 40, 37, 29)},
    {"N", QRect(44, 40, 37, 29)},  {"M", QRect(84, 40, 37, 29)},    {"O", QRect(128, 44, 37, 29)},
    {"P", QRect(168, 40, 29, 29)}, {"Q", QRect(204, 40, 37, 37)},   {"R", QRect(248, 40, 37, 37)},
    {"S", QRect(8, 72, 33, 33)},   {"T", QRect(48, 72, 33, 33)},    {"U", QRect(92, 80, 33, 33)},
    {"Y", QRect(132, 76, 41, 29)}, {"OK", QRect(220, 104, 73, 29)},
}};

// The read-only name field that lies over the picture's name bar.
inline constexpr QRect kNameField(24, 112, 129, 17);

}  // namespace art
