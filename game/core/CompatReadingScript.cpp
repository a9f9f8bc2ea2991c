// The compatibility reading as the fortune-teller says it: the milestone chats with their
// treasures, both birthdays, the questions, the closing lines, the two percentages with
// their pictures and sounds, and the satisfaction question.
#include "game/core/CompatReadingScript.h"

#include <vector>

#include "game/core/CompatQuestionRound.h"
#include "game/core/ReadingEngine.h"

namespace game {
namespace {

// In the compatibility chat, a line that starts with one of these markers grants an item:
// the prize sound plays and the flag is set before the line is said.
enum class Grant { None, Universe, SeekingBrain, Happiness };

struct CompatLine {
  const char* text;
  Grant grant = Grant::None;
};

struct CompatMilestone {
  int count;
  std::vector<CompatLine> lines;
};

const std::vector<CompatMilestone>& compatMilestones() {
  static const std::vector<CompatMilestone> rows = {
      {10, {{"恋なんてなるよーにしかならないわよ！"}, {"さてと・・・"}}},
      {20,
       {{"恋かー・・・私、恋なんてもうとっくに忘れちゃったかな・・・"},
        {"でも、時々あこがれるな・・・"},
        {"さてと・・・"}}},
      {30,
       {{"フーン、そんなに色濃いざたが気になるってわけ？"},
        {"ま、人間の関係が、この宇宙の全てみたいなもの所あるしな"},
        {"あんたにこれあげるわ"},
        {"なんと【宇宙の全て】を手に入れた！！", Grant::Universe},
        {"さてと・・・"}}},
      {40, {{"私とルピナ君の関係ー、知りたい？"}, {"なーんちゃって・・・おっとと・・・"}}},
      {50,
       {{"占いって自己暗示みたいなものかしら？"}, {"それで幸せな気分になれるなら、十分だなっ"},
        {"さてと・・・"}}},
      {60,
       {{"好き・嫌い・好き・嫌い"},
        {"その二つで幸せと不幸せが大きく揺さぶられるなんてなんだか単純すぎるわ！"},
        {"所詮、そういう生命体なのかしら？"},
        {"あんたにこれあげるわ"},
        {"なんと【求める脳】を手に入れた！！", Grant::SeekingBrain},
        {"さてと・・・"}}},
      {70,
       {{"人が人である意味ってあるのかな"}, {"宇宙に人類なんて必要なのかな"},
        {"・・・人類がいないと宇宙も認識されないってわけ？"},
        {"まあ、どうでもいいけど・・・さてと・・・"}}},
      {80,
       {{"この宇宙の出来事って、結局、１つになろうとしたり、離れたりの繰り返しじゃないの"},
        {"なによっなによっ、宇宙のバカ！！"},
        {"・・・とか言ってみたりしちゃったりして・・さてと・・・"}}},
      {90,
       {{"はい、これあげる"}, {"私にはもう必要ないから"},
        {"なんと【幸せ】を手に入れた！！", Grant::Happiness},
        {"さてと・・・"}}},
      {100,
       {{"ところでさ、あんた何回相性占ってもらってるか知ってる？"},
        {"あ、普通の占いのやつは別ね、なんともう100回だよ！！これで101回目になるわけ"},
        {"さてと・・・"}}},
  };
  return rows;
}

}  // namespace

void CompatReadingScript::grantItem(std::int32_t& flag) {
  PlayWave1("kekka.wav");
  flag = 1;
}

Task<void> CompatReadingScript::BeginCompatReading() {
  tmy& p = profile();
  engine().setMode(GameMode::CompatOwn);
  p.mood = 0;
  ShowFace("kao.bmp");
  for (const CompatMilestone& row : compatMilestones()) {
    if (row.count == p.compatCount) {
      for (const CompatLine& line : row.lines) {
        switch (line.grant) {
          case Grant::Universe: grantItem(p.ownsUniverse); break;
          case Grant::SeekingBrain: grantItem(p.ownsSeekingBrain); break;
          case Grant::Happiness: grantItem(p.ownsHappiness); break;
          case Grant::None: break;
        }
        Say(line.text);
        co_await WaitClick();
      }
    }
  }
  Say("まずあなたの生年月日を教えてね");
  co_await WaitClick();
  forgetPlayer(p);
  ShowPanel(Panel::Birthday);
  co_await AskBirthday();

  ShowFace("kao.bmp");
  Say("次は相手の人の生年月日ね");
  co_await WaitClick();
  ShowPanel(Panel::Birthday);
  engine().setMode(GameMode::CompatPartner);
  co_await AskBirthday();
  co_await CompatReading();
}

Task<void> CompatReadingScript::CompatReading() {
  tmy& p = profile();
  const platform::LocalDate today = engine().clock().today();
  ShowFace("kao.bmp");
  Say("では、質問しますニャ！！");
  co_await WaitClick();

  CompatQuestionRound round(engine().random());
  while (const CompatQuestion* question = round.next()) {
    Say(std::string(question->text));
    round.answer(co_await WaitYesNo(), p.mood);
  }

  ShowFace("kao1.bmp");
  Say("はい、しつもん終わり!!");
  co_await WaitClick();
  ShowFace("kao4.bmp");
  Say("ではーーーーあなたと相手の人との【今日の相性】は～・・・・・・");
  co_await WaitClick();
  ShowFace("kao3.bmp");
  std::string hums;
  for (int i = 0; i < 23; ++i) hums += "ム";
  Say(hums);
  co_await WaitClick();
  ShowFace("kao5.bmp");
  PlayWave2("deta.wav");
  Say("デタ！！！");
  co_await WaitClick();

  countOneMore(p.compatCount);
  const int compat = compatPercent(p, today);
  engine().view().setFaceSourceSide(150);
  if (Band band = compatBand(compat); band != Band::None)
    ShowFace(std::string(bandStem(band)) + ".bmp");
  PlayWave3("kekka.wav");
  Say("今日のあなたと相手の人との相性度は・・・【" + number(compat) + "％】です！！");
  co_await WaitClick();

  const std::int64_t heart = heartPercent(compat, p.mood, p.partnerMonth);
  if (Band band = compatBand(heart); band != Band::None) {
    ShowFace(std::string(bandStem(band)) + ".bmp");
    PlayWave1(std::string(bandStem(band)) + ".wav");
  }
  Say("さらにあなたと相手の人が今日、ときめきあっちゃう可能性は…【" + number(heart) + "％】!!");
  co_await WaitClick();

  engine().view().setFaceSourceSide(64);
  ShowFace("kao.bmp");
  if (co_await Ask("どお、わたくしの占いに満足したかしら！？") == Answer::Yes) {
    PlayWave0("1.wav");
    co_await Tell("オホホホホ！！");
    PlayWave0("1.wav");
    ShowPanel(Panel::Title);
    PlayWave1("guitar.wav");
  } else {
    ShowFace("kao3.bmp");
    PlayWave0("1.wav");
    co_await Tell("うるさいのよ！！");
    CloseWindow();
  }
}

}  // namespace game
