#pragma once
// The returning player's profile.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace game {

// The player profile. Strings are UTF-8 inside the program (CP932 only in my.dat).
struct tmy {
  std::string chosenWord;          // word picked in the last single reading; not saved
  std::string playerName;          // full-width letters, at most 18 CP932 bytes; my.dat line 3
  std::int32_t readingCount = 0;   // single readings completed; line 21
  std::int32_t compatCount = 0;    // compatibility readings completed; line 22
  std::int32_t partnerMonth = 0;   // not saved
  std::int32_t partnerDay = 0;     // not saved
  std::array<std::int32_t, 16> reserved{};  // carried through my.dat lines 1, 2, 4–17 unchanged
  std::int32_t ownsUniverse = 0;      // treasure flags; not saved
  std::int32_t ownsSeekingBrain = 0;
  std::int32_t ownsHappiness = 0;
  std::int32_t mood = 0;        // the fortune-teller's favour in the current game; not saved
  std::int32_t chosenSlot = 0;  // 1, 2 or 3: which choice label was clicked; not saved
  std::int32_t birthMonth = 0;  // 1..12, 0 = not given; line 18
  std::int32_t birthDay = 0;    // 1..31, 0 = not given; line 19
  std::int32_t playerSex = 0;   // 0 = not given, 1 = male, 2 = female; line 20

  bool operator==(const tmy&) const = default;
};

// The longest name the name entry takes, in CP932 bytes.
inline constexpr std::size_t kMaxNameBytes = 18;

// A player is greeted as returning only with a name, a sex and a birthday the game itself can
// take: a name of at most kMaxNameBytes, sex not 0, month 1–12 and day 1–31. my.dat may hold
// anything; other values stay stored until the play asks again, and are not said aloud.
bool isAskableBirthday(std::int32_t month, std::int32_t day);
bool isReturningPlayer(const tmy& p);

}  // namespace game
