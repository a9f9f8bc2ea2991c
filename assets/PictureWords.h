#pragma once
// The words drawn into the game's pictures that tell the player something: the drawings
// draw them from here, and the window gives the same words to a screen reader, which cannot
// read a picture.
#include <QString>

namespace assets::words {

inline QString titleFirstLine() { return QStringLiteral("ネオ・ポムリーくん"); }  // title frames
inline QString titleSecondLine() { return QStringLiteral("占いステッキ"); }
inline QString namePrompt() { return QStringLiteral("なまえを入れてね"); }      // P4
inline QString birthdayPrompt() { return QStringLiteral("うまれたひは？"); }    // P7
inline QString resultHeading() { return QStringLiteral("★ うらないけっか ★"); }  // P8 …
inline QString scoreHeading() { return QStringLiteral("きょうのうんせい"); }    // before the score
inline QString scoreUnit() { return QStringLiteral("てん"); }                  // after it
inline QString adviceHeading() { return QStringLiteral("ひとことアドバイス"); }
inline QString resultFootnote() { return QStringLiteral("ぜんぶ信じちゃダメよ？"); }

}  // namespace assets::words
