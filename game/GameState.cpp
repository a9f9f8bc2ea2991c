#include "game/GameState.h"

#include "game/Profile.h"
#include "game/Tables.h"

namespace game {

void resetGameState() {
  profile = tmy{};
  fillBuiltInTables();
  nameList.fill({});
}

}  // namespace game
