#pragma once
// The status text beside the portrait, and the portrait's tremble.
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>

#include "game/Profile.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

namespace game {

// The whole status text for the current game mode (1 = single reading layout, anything
// else the compatibility layout). Line breaks are single carriage returns. `metrics` is the
// label's font and `lineWidth` the width of one of its lines in pixels: the name is fitted
// to what is left of its line (see shownName).
QString statusText(int gameMode, const tmy& p, const platform::LocalDate& today,
                   const QFontMetrics& metrics, int lineWidth);

// How the panel shows a stored birthday. my.dat may come from another version or be edited
// by hand, so any number can arrive; the stored values are never changed for showing them.
// A date the game itself can ask for (month 1–12, day 1–31) is "M月 D日", the unset 0 and 0
// is "0月 0日", and anything else is "なし".
QString shownBirthday(std::int32_t month, std::int32_t day);

// A name as it fits into `width` pixels of `metrics`' font on one line: control characters
// (which would break the line) left out, and cut with "…" when it is wider.
QString shownName(const std::string& name, const QFontMetrics& metrics, int width);

// Where the portrait picture is stretched to on the 150 × 150 face: draws b, r, t, l in that
// order and gives (−l, −t) … (150 + r, 150 + b).
QRect portraitJitter(platform::RandomSource& random);

}  // namespace game
