#include "game/core/LetterTile.h"

namespace game {

const std::array<LetterTile, 19>& letterTiles() {
  static const std::array<LetterTile, 19> tiles = {{
      {"Ａ", "8.wav", nullptr, nullptr},
      {nullptr, "erace.wav", nullptr, nullptr},
      {"Ｃ", "8.wav", nullptr, nullptr},
      {"Ｄ", "4.wav", nullptr, nullptr},
      {"Ｅ", "7.wav", nullptr, nullptr},
      {"Ｇ", "8.wav", nullptr, nullptr},
      {"Ｋ", "8.wav", nullptr, nullptr},
      {"Ｌ", "4.wav", nullptr, nullptr},
      {"Ｉ", "7.wav", nullptr, nullptr},
      {"Ｎ", "7.wav", nullptr, nullptr},
      {"Ｍ", "4.wav", nullptr, nullptr},
      {"Ｏ", "6.wav", "ビクビクリン！！", "kao5.bmp"},
      {"Ｐ", "7.wav", nullptr, nullptr},
      {"Ｑ", "5.wav", "キューーティーーーー！！！", "kao4.bmp"},
      {"Ｒ", "4.wav", nullptr, nullptr},
      {"Ｓ", "6.wav", "スゥイーティー死んじゃいやー！", nullptr},
      {"Ｔ", "4.wav", nullptr, nullptr},
      {"Ｕ", "7.wav", nullptr, nullptr},
      {"Ｙ", "5.wav", nullptr, nullptr},
  }};
  return tiles;
}

}  // namespace game
