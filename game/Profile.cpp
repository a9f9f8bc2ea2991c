#include "game/Profile.h"

namespace game {

tmy profile;

}  // namespace game
