// The compatibility reading's questions and percentages (declared in ReadingEngine.h).
#include <cstdint>

#include "game/core/CompatQuestionRound.h"
#include "game/core/ReadingEngine.h"
#include "game/core/SafeArithmetic.h"

namespace game {
namespace {

constexpr int kYes = 1;
constexpr int kNo = 2;
// A question is asked only while the budget spent so far is at most this.
constexpr int kBudgetLimit = 5;

using M = Memo;
// text, k, cost, yes, no, records, pairs with. The last question's cost never matters.
constexpr std::array<CompatQuestion, 24> kQuestions{{
    {"相手の人はさびしがりやさんですか？", 4, 2, +2, -2, M::A, M::None},
    {"あなたはさびしがりやさんですか？", 4, 1, 0, 0, M::None, M::A},
    {"相手の人はいろんなことを気遣う人ですか？", 3, 2, +1, -1, M::B, M::None},
    {"あなたは相手の人からプレゼントを３個以上もらったことがありますか？", 5, 1, 0, 0, M::None, M::B},
    {"あなたと相手の人はよく目が合うと思いますか？", 3, 1, +2, -2, M::None, M::None},
    {"相手の人は、よく笑う人ですか？", 4, 1, +1, -1, M::None, M::None},
    {"あなたは相手の人を、下の名前で呼んでいますか？", 4, 1, +1, -1, M::None, M::None},
    {"相手の人はちょっぴり変わった人ですか？", 4, 2, +1, -1, M::C, M::None},
    {"あなたは世の中の事を他の人とは違う視点で見ていると思いますか？", 5, 1, +1, -1, M::None, M::None},
    {"相手の人はあなたより賢いですか？", 5, 1, -1, +1, M::None, M::C},
    {"相手の人は、あなたの趣味を一緒に楽しめるタイプですか？", 4, 1, +1, -1, M::None, M::None},
    {"あなたは相手の人の趣味を一緒に楽しむタイプですか？", 5, 1, +1, -1, M::None, M::None},
    {"あなたと相手の人は年齢が４つ以上離れていますか？", 3, 1, -1, +1, M::None, M::None},
    {"あなたと相手の人は同い年ですか？", 3, 1, -1, +1, M::None, M::None},
    {"あなたは相手の人のこと、大好き？", 3, 1, +1, -1, M::None, M::None},
    {"相手の人は、あなたの事を大好きだと思う？", 3, 1, +2, -2, M::None, M::None},
    {"あなたは相手の人とえっちしたい？", 7, 1, +1, -1, M::None, M::None},
    {"相手の人は、あなたとえっちしてもいいって思ってると思う？", 6, 1, +2, -2, M::None, M::None},
    {"あなたが相手の人の事を考える時間って、最近けっこう多い？", 4, 1, +1, -1, M::None, M::None},
    {"相手の人が、あなたの事を考える時間って、最近けっこう多いと思う？", 4, 1, +2, -2, M::None, M::None},
    {"あなたは誠実な人ですか？", 4, 1, +1, -1, M::None, M::None},
    {"あなたはちょっと反社会的ですか？", 4, 1, +1, -1, M::None, M::None},
    {"相手の人はけっこーワルですか？", 4, 1, +1, -1, M::None, M::None},
    {"相手の人はとんでもないことしたりする人ですか？", 4, 0, +1, -1, M::None, M::None},
}};

// Mood change of a pair rule: this answer against the partner question's memo.
int pairEffect(int answer, int memo) {
  if (answer == kYes && memo == kYes) return +3;
  if (answer == kNo && memo == kNo) return +2;
  if (answer == kYes && memo == kNo) return -3;
  if (answer == kNo && memo == kYes) return -2;
  return 0;  // partner not asked, or this answer neither yes nor no
}

std::int64_t absolute(std::int64_t v) { return v < 0 ? -v : v; }

}  // namespace

const std::array<CompatQuestion, 24>& compatQuestions() { return kQuestions; }

const CompatQuestion* CompatQuestionRound::next() {
  while (index_ < static_cast<int>(kQuestions.size())) {
    const int i = index_++;
    const CompatQuestion& q = kQuestions[static_cast<std::size_t>(i)];
    // The draw comes first: every question consumes one, asked or not.
    const bool drawn = rng_.Random(q.k) == 0;
    if (!drawn || budget_ > kBudgetLimit) continue;
    budget_ += q.cost;
    asked_.push_back(i);
    return &q;
  }
  return nullptr;
}

void CompatQuestionRound::answer(Answer a, std::int32_t& mood) {
  const CompatQuestion& q = kQuestions[static_cast<std::size_t>(asked_.back())];
  const int answer = a == Answer::Yes ? kYes : kNo;
  mood = saturatingAdd(mood, answer == kYes ? q.yesMood : q.noMood);
  if (q.records != Memo::None) memos_[static_cast<std::size_t>(q.records)] = answer;
  if (q.pairsWith != Memo::None)
    mood = saturatingAdd(mood, pairEffect(answer, memos_[static_cast<std::size_t>(q.pairsWith)]));
}

int compatPercent(const tmy& p, const platform::LocalDate& today) {
  // 64-bit: birth and partner fields may hold anything a damaged file gave them.
  const std::int64_t months = 13 - absolute(std::int64_t{p.birthMonth} - p.partnerMonth - today.month);
  const std::int64_t days = 32 - absolute(std::int64_t{p.birthDay} - p.partnerDay - today.day);
  const std::int64_t percent = 2 * (months + days);
  return percent < 0 ? 0 : static_cast<int>(percent);
}

std::int64_t heartPercent(int compatPercent, std::int32_t mood, std::int32_t partnerMonth) {
  return std::int64_t{compatPercent} + 10 * std::int64_t{mood} + (partnerMonth == 9 ? 10 : 0);
}

}  // namespace game
