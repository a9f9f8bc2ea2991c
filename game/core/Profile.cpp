#include "game/core/Profile.h"

#include "platform/core/Cp932.h"

namespace game {

bool isAskableBirthday(std::int32_t month, std::int32_t day) {
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool isReturningPlayer(const tmy& p) {
  return !p.playerName.empty() && platform::cp932Length(p.playerName) <= kMaxNameBytes &&
         isAskableBirthday(p.birthMonth, p.birthDay) && p.playerSex != 0;
}

}  // namespace game
