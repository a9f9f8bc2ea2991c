#include "game/core/ReadingEngine.h"

#include <algorithm>
#include <utility>

#include "game/core/SafeArithmetic.h"
#include "platform/core/Cp932.h"

namespace game {
namespace {

// Names and words are drawn from the first 226 slots, advice from the first 255.
constexpr int kPickerRange = 226;
constexpr int kAdviceRange = 255;
// Redraws before a picker gives up drawing (see pickFilled). With the game's tables the
// chance of reaching it is below 10^-40; it only bounds a broken random source.
constexpr int kMaxDraws = 10000;

// Draws slot Random(range) until it meets a filled slot; uniform over the filled slots.
// Contract: never loops forever. No filled slot in the range → "" with no draw; after
// kMaxDraws empty draws → the first filled slot at or after the last draw (wrapping).
std::string pickFilled(platform::RandomSource& rng, const StringTable& table, int range) {
  range = std::clamp(range, 1, static_cast<int>(table.size()));
  const auto end = table.begin() + range;
  if (std::all_of(table.begin(), end, [](const std::string& s) { return s.empty(); })) return {};
  int slot = 0;
  for (int draw = 0; draw < kMaxDraws; ++draw) {
    slot = rng.Random(range);
    if (!table[static_cast<std::size_t>(slot)].empty()) return table[static_cast<std::size_t>(slot)];
  }
  for (int step = 0; step < range; ++step) {
    const std::string& s = table[static_cast<std::size_t>((slot + step) % range)];
    if (!s.empty()) return s;
  }
  return {};
}

const std::string& slotAt(const StringTable& table, std::int64_t value, std::int64_t modulus) {
  return table[static_cast<std::size_t>(nonNegativeRemainder(value, modulus))];
}

std::int64_t absolute(std::int64_t v) { return v < 0 ? -v : v; }

// x × y × z reduced modulo 6: the star ratings depend on nothing else, and reducing the
// factors first keeps the product small whatever the inputs are.
std::int64_t productMod6(std::int64_t x, std::int64_t y, std::int64_t z = 1) {
  return nonNegativeRemainder(x, 6) * nonNegativeRemainder(y, 6) * nonNegativeRemainder(z, 6) % 6;
}

// The number of stars of a rating, 0–5.
int starCount(std::int64_t value, int day) {
  return static_cast<int>(nonNegativeRemainder(value % 6 + day % 6, 6));
}

}  // namespace

std::string StarRating(std::int64_t value, int day) {
  const int stars = starCount(value, day);
  if (stars == 0) return "Bad....";
  std::string text;
  for (int i = 0; i < stars; ++i) text += "★";
  if (stars == 5) text += "Excerent!";
  return text;
}

std::string spokenRating(std::int64_t value, int day) {
  const int stars = starCount(value, day);
  std::string text = std::to_string(stars) + "/5";
  if (stars == 0) text += " Bad....";
  if (stars == 5) text += " Excerent!";
  return text;
}

std::string RandomName(platform::RandomSource& rng, const StringTable& names) {
  std::string name = names[static_cast<std::size_t>(rng.Random(kPickerRange))];
  if (rng.Random(100) == 1) {
    const auto& units = syllableUnits();
    name.clear();
    for (int piece = 0; piece < 4; ++piece) {
      const int unit = rng.Random(96);
      if (unit < static_cast<int>(units.size())) name += units[static_cast<std::size_t>(unit)];
    }
  }
  return name;
}

std::string RandomWord(platform::RandomSource& rng, const StringTable& words) {
  return pickFilled(rng, words, kPickerRange);
}

const char* bandStem(Band b) {
  switch (b) {
    case Band::Blue: return "blue";
    case Band::Bad: return "bad";
    case Band::Soso: return "soso";
    case Band::Good: return "good";
    case Band::Happy: return "happy";
    case Band::None: break;
  }
  return "";
}

Band singleReadingBand(int resultScore) {
  if (resultScore < 0 || resultScore > 100) return Band::None;
  if (resultScore < 20) return Band::Blue;
  if (resultScore < 40) return Band::Bad;
  if (resultScore < 60) return Band::Soso;
  if (resultScore < 80) return Band::Good;
  return Band::Happy;
}

Band compatBand(std::int64_t percent) {
  if (percent < -999 || percent > 999) return Band::None;
  if (percent < 20) return Band::Blue;
  if (percent < 36) return Band::Bad;
  if (percent < 56) return Band::Soso;
  if (percent < 80) return Band::Good;
  return Band::Happy;
}

Band compatBand(int percent) { return compatBand(std::int64_t{percent}); }

void countOneMore(std::int32_t& counter) { counter = saturatingAdd(counter, 1); }

SingleReading computeSingleReading(tmy& p, const std::string& word, const platform::LocalDate& today,
                                   platform::RandomSource& rng, const StringTable& words,
                                   const StringTable& items, const StringTable& advice) {
  countOneMore(p.readingCount);
  p.chosenWord = word;

  const std::int64_t month = today.month;
  const std::int64_t day = today.day;
  // Every term is at most a few times 2^32 in size, so the 64-bit sum cannot overflow.
  const std::int64_t a = 13 - absolute(month - p.birthMonth);
  const std::int64_t b = 32 - absolute(day - p.birthDay);
  std::int64_t basePoints = static_cast<std::int64_t>(platform::cp932Length(p.playerName)) +
                            static_cast<std::int64_t>(platform::cp932Length(word)) + 4 * a + b;
  const bool evenDay = nonNegativeRemainder(day, 2) == 0;
  if (p.playerSex == 1) basePoints += evenDay ? 10 : -10;
  if (p.playerSex == 2) basePoints += evenDay ? -10 : 10;

  SingleReading r;
  r.basePoints = basePoints;
  // The four areas: what the sheet shows after "name > ", and what a screen reader says.
  const std::string fourthArea = slotAt(words, basePoints, 100);
  const std::pair<std::string, std::int64_t> areas[4] = {
      {"お金", basePoints + month},
      {"勉強", productMod6(basePoints, day)},
      {"恋愛", basePoints},
      {fourthArea, productMod6(basePoints, month, day)}};
  std::string* shown[4] = {&r.moneyLine, &r.studyLine, &r.loveLine, &r.fourthLine};
  for (int i = 0; i < 4; ++i) {
    *shown[i] = areas[i].first + " > " + StarRating(areas[i].second, today.day);
    r.spokenText += areas[i].first + " " + spokenRating(areas[i].second, today.day) + "\r";
  }
  r.luckyItem = slotAt(items, basePoints, 50);
  const std::string luckyLine = "\r" + std::string("ラッキーアイテムは… > ") + r.luckyItem;
  r.resultText = r.moneyLine + "\r" + r.studyLine + "\r" + r.loveLine + "\r" + r.fourthLine + "\r" + luckyLine;
  r.spokenText += luckyLine;
  r.resultScore = static_cast<int>(std::clamp<std::int64_t>(basePoints + 9 * std::int64_t{p.mood}, 0, 100));
  r.advice = pickFilled(rng, advice, kAdviceRange);
  r.band = singleReadingBand(r.resultScore);
  return r;
}

}  // namespace game
