#pragma once
// Readable test failures for profiles: gtest finds PrintTo in the namespace of tmy.
#include <ostream>

#include "game/core/Profile.h"

namespace game {

inline void PrintTo(const tmy& p, std::ostream* os) {
  *os << "{name \"" << p.playerName << "\", word \"" << p.chosenWord << "\", born " << p.birthMonth << "/"
      << p.birthDay << ", sex " << p.playerSex << ", readings " << p.readingCount << ", compat "
      << p.compatCount << ", partner " << p.partnerMonth << "/" << p.partnerDay << ", mood " << p.mood
      << ", slot " << p.chosenSlot << ", owns " << p.ownsUniverse << p.ownsSeekingBrain << p.ownsHappiness
      << ", reserved";
  for (auto r : p.reserved) *os << " " << r;
  *os << "}";
}

}  // namespace game
