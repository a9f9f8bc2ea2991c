#pragma once
// The status text beside the portrait.
#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <string>

#include "game/core/PlayState.h"
#include "game/core/Profile.h"
#include "platform/core/Clock.h"

namespace game {

// The whole status text for the current game mode (the single reading's layout, else
// the compatibility reading's). Line breaks are single carriage returns. `metrics` is the
// label's font and `lineWidth` the width of one of its lines in pixels: the name is fitted
// to what is left of its line (see shownName).
QString statusText(GameMode mode, const tmy& p, const platform::LocalDate& today,
                   const QFontMetrics& metrics, int lineWidth);

// The same facts as a screen reader says them, one a line ("\n"): without the layout's
// indents and "> " marks, which it would read out, and with the whole name, which the panel
// may cut to fit.
QString statusSpeech(GameMode mode, const tmy& p, const platform::LocalDate& today);

// How the panel shows a stored birthday. my.dat may come from another version or be edited
// by hand, so any number can arrive; the stored values are never changed for showing them.
// A date the game itself can ask for (month 1–12, day 1–31) is "M月 D日", the unset 0 and 0
// is "0月 0日", and anything else is "なし".
QString shownBirthday(std::int32_t month, std::int32_t day);

// A name as it fits into `width` pixels of `metrics`' font on one line: control characters
// (which would break the line) left out, and cut with "…" when it is wider.
QString shownName(const std::string& name, const QFontMetrics& metrics, int width);

}  // namespace game
