#pragma once
// The status text beside the portrait, and the portrait's tremble.
#include <QRect>
#include <QString>

#include "game/Profile.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

namespace game {

// The whole status text for the current game mode (1 = single reading layout, anything
// else the compatibility layout). Line breaks are single carriage returns.
QString statusText(int gameMode, const tmy& p, const platform::LocalDate& today);

// Where the portrait picture is stretched to on the 150 × 150 face: draws b, r, t, l in that
// order and gives (−l, −t) … (150 + r, 150 + b).
QRect portraitJitter(platform::RandomSource& random);

}  // namespace game
