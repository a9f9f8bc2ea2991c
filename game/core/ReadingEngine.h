#pragma once
// The arithmetic of both readings and the random pickers, as plain functions of the profile,
// the date and a random source. No widget, clock or global generator is touched here: the
// conversation passes today's date and the game's one RandomSource in, and says the results.
//
// Whatever the profile holds (an empty name, month 0, huge numbers from a damaged file) and
// whatever the tables hold (empty slots, all empty), nothing here divides by zero, indexes
// outside a table, overflows or loops forever: table indices and star counts use
// non-negative remainders, sums and products are 64-bit or reduced before multiplying, and
// pickers give "" instead of drawing when their range has no filled slot.
//
// Lengths are CP932 byte counts (a full-width letter 2, a half-width katakana 1).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/core/Profile.h"
#include "game/core/Tables.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

namespace game {

// Rating text of one area: stars = (value + day) mod 6 as a non-negative remainder;
// 0 gives "Bad....", 1–4 that many "★", 5 gives "★★★★★Excerent!".
std::string StarRating(std::int64_t value, int day);
// The rating as a screen reader says it: "N/5", with " Bad...." after 0 and " Excerent!"
// after 5, as the sheet shows them.
std::string spokenRating(std::int64_t value, int day);

// A guess at the player's name: draws the names slot Random(226) (slots 0–225; an empty slot
// gives ""), then Random(100); on a 1 the guess is replaced by a made-up name of four pieces,
// each syllable unit Random(96) — a draw of 92–95 is an empty piece.
std::string RandomName(platform::RandomSource& rng, const StringTable& names);

// One word for a choice label: draws slot Random(226) until the slot is filled. Returns ""
// without drawing when slots 0–225 are all empty.
std::string RandomWord(platform::RandomSource& rng, const StringTable& words);

// Result bands: the picture and sound stems of a score.
enum class Band { None, Blue, Bad, Soso, Good, Happy };
const char* bandStem(Band b);  // "blue", "bad", "soso", "good", "happy"; "" for None
// 0–19 Blue, 20–39 Bad, 40–59 Soso, 60–79 Good, 80–100 Happy; None outside 0–100.
Band singleReadingBand(int resultScore);
// −999–19 Blue, 20–35 Bad, 36–55 Soso, 56–79 Good, 80–999 Happy; None outside −999–999.
Band compatBand(int percent);
Band compatBand(std::int64_t percent);  // heartPercent is unclamped and may be far outside int

struct SingleReading {
  std::int64_t basePoints;
  std::string moneyLine, studyLine, loveLine, fourthLine;  // "お金 > ★★", …
  std::string luckyItem;
  std::string resultText;  // the four lines and the lucky item, lines broken by "\r"
  std::string spokenText;  // resultText as a screen reader says it: "お金 3/5", …
  std::string advice;
  int resultScore;         // 0–100
  Band band;
};

// The single reading for the picked word: counts it (readingCount += 1, staying at the
// largest int32), stores word as chosenWord, scores from the profile, word, today and mood,
// and draws the advice (Random(255) until a filled slot; "" without drawing when none is).
SingleReading computeSingleReading(tmy& p, const std::string& word, const platform::LocalDate& today,
                                   platform::RandomSource& rng, const StringTable& words,
                                   const StringTable& items, const StringTable& advice);

// Adds one to a play counter, staying at the largest int32 (a damaged file may hold it).
void countOneMore(std::int32_t& counter);

// The pair memos of the compatibility questions.
enum class Memo { None, A, B, C };

struct CompatQuestion {
  std::string_view text;
  int k;             // asked only when Random(k) gives 0
  int cost;          // added to the question budget when asked
  int yesMood;       // mood change for yes …
  int noMood;        // … and for any other answer
  Memo records;      // memo this question's answer is kept in (1 yes, 2 anything else)
  Memo pairsWith;    // memo whose partner question's answer is compared with this one
};

// The 24 questions in asking order.
const std::array<CompatQuestion, 24>& compatQuestions();

// 2 × ((13 − |birthMonth − partnerMonth − M|) + (32 − |birthDay − partnerDay − D|)), raised
// to 0 when below; at most 90.
int compatPercent(const tmy& p, const platform::LocalDate& today);

// compatPercent + 10 × mood, plus 10 when the partner was born in September. Not clamped.
std::int64_t heartPercent(int compatPercent, std::int32_t mood, std::int32_t partnerMonth);

}  // namespace game
