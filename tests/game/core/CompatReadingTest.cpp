#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "game/core/CompatQuestionRound.h"
#include "game/core/ReadingEngine.h"
#include "tests/support/ScriptedRandom.h"

namespace {

using platform::LocalDate;
using testing_support::ScriptedRandom;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// One draw per question, in order: 0 (ask) for the listed question numbers (1-based, as the
// players' sheet numbers them), 1 (skip) for the others. Every k is at least 3.
ScriptedRandom drawsAsking(std::set<int> asked) {
  ScriptedRandom rng;
  for (int q = 1; q <= 24; ++q) rng.push(asked.count(q) ? 0 : 1);
  return rng;
}

// Answers given in order; records the questions said.
struct Player {
  std::vector<int> answers;
  std::vector<std::string> heard;
  int operator()(std::string_view text) {
    heard.emplace_back(text);
    int a = answers.at(heard.size() - 1);
    return a;
  }
};

// The round as the conversation runs it: 1 is yes, anything else no.
std::vector<int> ask(ScriptedRandom& rng, std::int32_t& mood, Player& player) {
  game::CompatQuestionRound round(rng);
  while (const game::CompatQuestion* q = round.next())
    round.answer(player(q->text) == 1 ? game::Answer::Yes : game::Answer::No, mood);
  return round.asked();
}

TEST(CompatQuestions, TableHoldsTheQuestionsInOrder) {
  const auto& q = game::compatQuestions();
  EXPECT_EQ(q[0].text, "相手の人はさびしがりやさんですか？");
  EXPECT_EQ(q[3].text, "あなたは相手の人からプレゼントを３個以上もらったことがありますか？");
  EXPECT_EQ(q[9].text, "相手の人はあなたより賢いですか？");
  EXPECT_EQ(q[23].text, "相手の人はとんでもないことしたりする人ですか？");
  const int ks[24] = {4, 4, 3, 5, 3, 4, 4, 4, 5, 5, 4, 5, 3, 3, 3, 3, 7, 6, 4, 4, 4, 4, 4, 4};
  for (std::size_t i = 0; i < q.size(); ++i) EXPECT_EQ(q[i].k, ks[i]) << i;
}

TEST(CompatQuestions, EveryQuestionDrawsOnceAndTheBudgetStopsAsking) {
  // Costs: 1→2, 2→1, 4→1, 5→1, 6→1. Before question 6 the budget is 5 (still asked);
  // after it 6, so 7 and later are skipped although their draws are 0.
  ScriptedRandom rng;
  for (int q = 1; q <= 24; ++q) rng.push(q == 3 ? 2 : 0);
  std::int32_t mood = 0;
  Player player{{1, 1, 1, 1, 1}, {}};
  const auto asked = ask(rng, mood, player);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 3, 4, 5}));
  EXPECT_EQ(rng.remaining(), 0u);
  std::deque<int> ks;
  for (const auto& q : game::compatQuestions()) ks.push_back(q.k);
  EXPECT_EQ(rng.limits(), ks);
  ASSERT_EQ(player.heard.size(), 5u);
  EXPECT_EQ(player.heard[4], "相手の人は、よく笑う人ですか？");
  // 1 yes +2 (memo A yes); 2 yes with memo yes +3; 4 pairs with unasked 3: 0; 5 +2; 6 +1.
  EXPECT_EQ(mood, 8);
}

TEST(CompatQuestions, AllDrawsFailingAsksNothing) {
  ScriptedRandom rng = drawsAsking({});
  std::int32_t mood = 4;
  Player player;
  EXPECT_TRUE(ask(rng, mood, player).empty());
  EXPECT_EQ(mood, 4);
  EXPECT_EQ(rng.remaining(), 0u);
}

TEST(CompatQuestions, CheapQuestionsLetSixBeAsked) {
  ScriptedRandom rng = drawsAsking({5, 6, 7, 9, 11, 12, 13, 24});
  std::int32_t mood = 0;
  Player player{{2, 2, 2, 2, 2, 2}, {}};
  const auto asked = ask(rng, mood, player);
  EXPECT_EQ(asked, (std::vector<int>{4, 5, 6, 8, 10, 11}));
  EXPECT_EQ(mood, -2 - 1 - 1 - 1 - 1 - 1);
}

TEST(CompatQuestions, PairRules) {
  struct Case {
    const char* what;
    std::set<int> questions;
    std::vector<int> answers;
    int mood;
  };
  const Case cases[] = {
      {"A yes, yes", {1, 2}, {1, 1}, 2 + 3},
      {"A no, no", {1, 2}, {2, 2}, -2 + 2},
      {"A no, then yes", {1, 2}, {2, 1}, -2 - 3},
      {"A yes, then no", {1, 2}, {1, 2}, 2 - 2},
      {"partner of A not asked", {2}, {1}, 0},
      {"B yes, yes", {3, 4}, {1, 1}, 1 + 3},
      {"B no, then yes", {3, 4}, {2, 1}, -1 - 3},
      {"B not asked", {4}, {2}, 0},
      {"C yes, yes: own −1 then +3", {8, 10}, {1, 1}, 1 - 1 + 3},
      {"C no, no: own +1 then +2", {8, 10}, {2, 2}, -1 + 1 + 2},
      {"C yes, then no", {8, 10}, {1, 2}, 1 + 1 - 2},
      {"C no, then yes", {8, 10}, {2, 1}, -1 - 1 - 3},
      {"C not asked: own effect only", {10}, {1}, -1},
      {"memos do not cross", {1, 4}, {1, 1}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedRandom rng = drawsAsking(c.questions);
    std::int32_t mood = 0;
    Player player{c.answers, {}};
    EXPECT_EQ(ask(rng, mood, player).size(), c.answers.size());
    EXPECT_EQ(mood, c.mood);
  }
}

TEST(CompatQuestions, MoodSaturatesInsteadOfOverflowing) {
  ScriptedRandom up = drawsAsking({1, 2});
  std::int32_t mood = kMax - 1;
  Player yes{{1, 1}, {}};
  ask(up, mood, yes);
  EXPECT_EQ(mood, kMax);
  ScriptedRandom down = drawsAsking({1, 2});
  mood = kMin + 1;
  Player no{{2, 1}, {}};
  ask(down, mood, no);
  EXPECT_EQ(mood, kMin);
}

game::tmy couple(int month, int day, int partnerMonth, int partnerDay) {
  game::tmy p;
  p.birthMonth = month;
  p.birthDay = day;
  p.partnerMonth = partnerMonth;
  p.partnerDay = partnerDay;
  return p;
}

TEST(CompatPercent, SameBirthdayFallsFrom86AsTheYearGoesOn) {
  const game::tmy p = couple(5, 20, 5, 20);
  EXPECT_EQ(game::compatPercent(p, {2026, 1, 1, 5}), 86);   // 2 × ((13 − 1) + (32 − 1))
  EXPECT_EQ(game::compatPercent(p, {2026, 6, 15, 2}), 2 * ((13 - 6) + (32 - 15)));
  EXPECT_EQ(game::compatPercent(p, {2026, 12, 31, 5}), 4);
}

TEST(CompatPercent, LargestIs90AndNeverBelowZero) {
  EXPECT_EQ(game::compatPercent(couple(7, 30, 2, 10), {2026, 5, 20, 4}), 90);
  EXPECT_EQ(game::compatPercent(couple(1, 1, 12, 31), {2026, 12, 31, 5}), 0);  // 2·(−10 + −29) < 0
  EXPECT_EQ(game::compatPercent(couple(kMax, kMax, kMin, kMin), {2026, 1, 1, 5}), 0);
  EXPECT_EQ(game::compatPercent(couple(kMin, kMin, kMax, kMax), {2026, 12, 31, 5}), 0);
  EXPECT_EQ(game::compatPercent(couple(0, 0, 0, 0), {2026, 1, 1, 5}), 86);
}

TEST(HeartPercent, UnclampedWithTheSeptemberBonus) {
  EXPECT_EQ(game::heartPercent(86, 3, 1), 116);
  EXPECT_EQ(game::heartPercent(10, -5, 4), -40);
  EXPECT_EQ(game::heartPercent(50, 0, 9), 60);
  EXPECT_EQ(game::heartPercent(50, 0, 10), 50);
  EXPECT_EQ(game::heartPercent(90, 100, 9), 1100);
  EXPECT_EQ(game::compatBand(game::heartPercent(90, 100, 9)), game::Band::None);
  EXPECT_EQ(game::heartPercent(0, kMin, 9), -21474836480 + 10);
  EXPECT_EQ(game::heartPercent(90, kMax, 0), 21474836470 + 90);
}

TEST(PlayCounters, CountOneMoreStopsAtTheLargestInt32) {
  std::int32_t count = 41;
  game::countOneMore(count);
  EXPECT_EQ(count, 42);
  count = kMax;
  game::countOneMore(count);
  EXPECT_EQ(count, kMax);
}

}  // namespace
