// The single reading as the fortune-teller says it: the milestone chats, the name, sex and
// birthday, the teases, the three offered words, the reaction, the ritual, the result sheet
// and leaving it.
#include "game/core/SingleReadingScript.h"

#include <vector>

#include "game/core/ReadingEngine.h"

namespace game {
namespace {

struct Milestone {
  int count;
  std::vector<const char*> lines;
};

const std::vector<Milestone>& singleMilestones() {
  static const std::vector<Milestone> rows = {
      {10, {"んー、あなたよく見る顔だわ・・・、さすがの私もあなたを覚えたみたい", "さてと・・・"}},
      {20,
       {"占いって信じてるの？", "私が言うのもなんだけど、私、占いってぜんぶウソだと思うのよねっ",
        "でも、ウソでもなんでもいいじゃない、ステキでしょ？", "さてと・・・"}},
      {30,
       {"あなた以前の私、知ってる？", "私、昔も占いやってたのよね",
        "でもある時から私ちょっとグレちゃってゴスロリ入っちゃったのよね", "さてと・・・"}},
      {40, {"ルピナ君元気かなー・・・", "おっとと・・・"}},
      {50, {"ゆっとくけどさ・・・私、これでも男だからね！", "なーんちゃって・・・いやマジ、さて・・・"}},
      {60,
       {"どうして私、猫じゃないのかって？", "さあねっ、この世には答えがない事もあるのよ",
        "さてと・・・"}},
      {70,
       {"なんかさ、なんとか温泉殺人事件とか、家政婦は見た系サスペンスってあるでしょ",
        "ああいうの、バカみたいなんだけど、私実は結構みいっちゃったりするのよね・・",
        "まあ、どうでもいいけど・・・さてと・・・"}},
      {80,
       {"ポムリーって勝利って意味だって知ってた？", "知ってて当然かっ、・・・かっこいいよね",
        "さてと・・・"}},
      {90,
       {"どうして占いなんかするの？",
        "それってやっぱり、分からなくて知りたくて、なにか期待しちゃうからなのかな", "さてと・・・"}},
      {100,
       {"ところでさ、あんた何回私に占ってもらってるか知ってる？",
        "あ、相性占いは別ね、なんともう100回だよ！！これで101回目になるわけ", "さてと・・・"}},
  };
  return rows;
}

struct Reaction {
  const char* line;
  int mood;
};

// r = 0 … 19: said as "『" + word + line. r = 20 … 34: said as they stand; 20 and 27 ask.
const Reaction kReactions[35] = {
    {"』かーっ、あんたもなかなかセンスがいいね", 1},
    {"』・・・？、ふーん", 0},
    {"』だなんて、いやらしいっ", 0},
    {"』かっ、なるほどね", 0},
    {"』って、いいよね！", 0},
    {"』・・・・イイ！", 1},
    {"』？？？なんだその選択は！！", 0},
    {"』か、まーいーや！", 0},
    {"』か、ふむっ、よしっ、えいやっと", 0},
    {"』？私もそれ選ぼうとしてた！", 0},
    {"』？私それだけは選ぶまいと思ってたやつだ", -1},
    {"』かーっ、なかなかやるな", 0},
    {"』を選ぶなんてなー", 0},
    {"』って、不思議な感じがする", 1},
    {"』を選びましたね・・・", 0},
    {"』・・・それを選んでしまいましたね、フフフ", 0},
    {"』か・・・・・・・・・・・・", 0},
    {"』！！！", 0},
    {"』っと、はいＯＫ", 0},
    {"』っ、よしっ", 0},
    {"ところで、ルピナちゃん知ってる？", 0},
    {"ところで、今日なんか私気分がいいんだよね", 1},
    {"ところで、なんか悪いことしてやりたいな・・・・", -1},
    {"ところで、・・・んー・・・・なんでもないや", 0},
    {"はっ・・・・・、いや、なんでもないんだけど", 0},
    {"はっ・・・・今、なんかすごい事思いついたけど忘れた！", 0},
    {"はっ・・・今、宇宙の謎が全て解けた・・・！！", 0},
    {"もし一番好きな人が死んだら、あなたも死ぬ？", 0},
    {"ララララ～・・・ちょっと歌ってみた", 0},
    {"へっくしゅん", 0},
    {"プっ、・・・あ、おならでちゃった", 0},
    {"むっ・・・何かいい予感がする・・・！！", 1},
    {"むっ・・・何か悪い予感がする・・・！！", -1},
    {"むっ・・・何かとてつもなくいい予感がする・・・！！", 2},
    {"むっ・・・何かとてつもなく悪い予感がする・・・！！", -2},
};

}  // namespace

Task<void> SingleReadingScript::BeginSingleReading() {
  tmy& p = profile();
  engine().setMode(GameMode::Single);
  p.mood = 0;
  ShowFace("kao.bmp");
  for (const Milestone& row : singleMilestones()) {
    if (row.count == p.readingCount) {
      for (const char* line : row.lines) {
        Say(line);
        co_await WaitClick();
      }
    }
  }
  Say("まず名前をおしえてね");
  co_await WaitClick();

  bool known = false;
  if (isReturningPlayer(p)) {
    Say("…と思ったけど君もしかして" + number(p.birthMonth) + "月" + number(p.birthDay) +
        "産まれの" + p.playerName + "ちゃん？");
    if (co_await WaitYesNo() == Answer::Yes) {
      p.mood += 1;
      Say("やっぱりね、私の見る目に狂いはなかったわ");
      co_await WaitClick();
      engine().setTypedName(p.playerName);
      known = true;
    } else {
      engine().setTypedName("");
      Say("なんだ、違うのか");
      co_await WaitClick();
    }
  }
  if (!known) {
    forgetPlayer(p);
    Say("はい、名前を入力してくださいよ！");
    ShowPanel(Panel::Name);
    co_await AskName();
    co_await SexChosen();
    co_await AskBirthday();
  }
  co_await OfferChoices();
  const int slot = co_await WaitChoice();
  PlayWave0("1.wav");
  p.chosenSlot = slot;
  co_await SingleReading(engine().offeredWords()[static_cast<std::size_t>(slot - 1)]);
  co_await LeaveResult();
}

Task<void> SingleReadingScript::AskName() {
  tmy& p = profile();
  bool confirmed = false;
  while (!confirmed) {
    co_await WaitName();
    const std::string name = engine().typedName();
    if (name.empty()) {
      PlayWave0("no.wav");
      p.mood -= 1;
      ShowFace("kao3.bmp");
      Say("ちょっとまって？名前なし？私を馬鹿にしてるわけ？");
    } else {
      ShowPanel(Panel::None);
      p.playerName = name;
      PlayWave0("ok.wav");
      ShowFace("kao2.bmp");
      Say("あなたのお名前はー・・・" + name + "ちゃんね、フーン");
      confirmed = co_await WaitYesNo() == Answer::Yes;
      if (confirmed) {
        ShowFace("kao.bmp");
        Say("よしっ、で、あなた男の子？女の子？");
        ShowPanel(Panel::Sex);
      } else {
        p.mood -= 1;
        ShowFace("kao3.bmp");
        Say("え？あなたさっきそう言ったじゃないの！！ちがうっていうの？");
        co_await WaitClick();
        ShowFace("kao4.bmp");
        Say("はいっ、２秒で名前を教えて！！");
        ShowPanel(Panel::Name);
      }
    }
  }
}

Task<void> SingleReadingScript::SexChosen() {
  profile().playerSex = co_await WaitSex();
  ShowPanel(Panel::None);
  PlayWave0("3.wav");
  ShowFace("kao2.bmp");
  Say(profile().playerSex == 1 ? "おまえおとこか！！はいおっけ！" : "おなごかっっ、はいおっけ！");
  co_await WaitClick();
  ShowFace("kao4.bmp");
  Say("次は生年月日だねっ");
  ShowPanel(Panel::Birthday);
}

Task<void> SingleReadingScript::OfferChoices() {
  tmy& p = profile();
  platform::RandomSource& random = engine().random();
  const Tables& tables = engine().tables();
  if (random.Random(10) == 0) {
    const std::string guess = RandomName(random, tables.nameList);
    Say("んと、あんたの名前は" + guess + "で、♂で" + number(p.birthMonth) + "月" +
        number(p.birthDay) + "生まれ…であってる？");
    if (co_await WaitYesNo() == Answer::Yes) {
      p.playerName = guess;
      p.playerSex = 1;
      Say("ＯＫ、" + guess + "君ね、変な名前っ");
    } else {
      Say("ああ、ちがったちがった、" + p.playerName + "ちゃんだった");
    }
    co_await WaitClick();
  }
  if (random.Random(10) == 0) {
    const int m = random.Random(12) + 1;
    const int d = random.Random(30) + 1;
    Say("えーと、あんたの名前は" + p.playerName + "で、" + number(m) + "月" + number(d) +
        "生まれ…であってる？");
    if (co_await WaitYesNo() == Answer::Yes) {
      p.birthMonth = m;
      p.birthDay = d;
      Say("ＯＫ、ＯＫ、" + number(m) + "月" + number(d) + "生まれ…と・・・・");
    } else {
      Say("ああ、ちがったちがった、" + number(p.birthMonth) + "月" + number(p.birthDay) +
          "生まれでしょ！");
    }
    co_await WaitClick();
  }
  ShowFace("kao.bmp");
  Say("んじゃ、君の好きなの選んでニャ");
  ShowPanel(Panel::Choices);
  std::array<std::string, 3> words;
  for (std::string& word : words) word = RandomWord(random, tables.choiceWords);
  engine().offerWords(words);
}

Task<void> SingleReadingScript::SingleReading(const std::string& word) {
  tmy& p = profile();
  platform::RandomSource& random = engine().random();
  ShowPanel(Panel::None);

  const int r = random.Random(90);
  if (r < 20) {
    p.mood += kReactions[r].mood;
    Say("『" + word + kReactions[r].line);
    co_await WaitClick();
  } else if (r == 20 || r == 27) {
    Say(kReactions[r].line);
    const Answer a = co_await WaitYesNo();
    p.mood += a == Answer::Yes ? 1 : -1;
    if (r == 20)
      Say(a == Answer::Yes ? "知ってるんだ！！" : "なんだ、そっか・・・");
    else
      Say("そっか・・・");
    co_await WaitClick();
  } else if (r < 35) {
    p.mood += kReactions[r].mood;
    Say(kReactions[r].line);
    co_await WaitClick();
    if (r == 26) {
      Say("ような気がしたけど・・・気のせいだったみたい・・・");
      co_await WaitClick();
    }
  }

  ShowFace("kao1.bmp");
  Say("よーーし占っちゃうゾー！！！どうなっても知らないゾー！！");
  co_await WaitClick();
  ShowFace("kao3.bmp");
  Say("むむむむむむむむむむ");
  co_await WaitClick();
  ShowFace("kao4.bmp");
  Say("ピロピロビクビクポムリーン！！");
  co_await WaitClick();
  ShowFace("kao5.bmp");
  PlayWave2("deta.wav");
  Say("でましたんっ！！");
  co_await WaitClick();

  const Tables& tables = engine().tables();
  const game::SingleReading result =
      computeSingleReading(p, word, engine().clock().today(), random, tables.choiceWords,
                           tables.luckyItems, tables.adviceLines);
  const std::string stem = bandStem(result.band);
  engine().view().showResult(
      {result.resultText, number(result.resultScore), result.advice, stem, result.spokenText});
  PlayWave1(stem + ".wav");
  PlayWave3("kekka.wav");
  ShowPanel(Panel::Result);
  PlayMusic("not");
}

Task<void> SingleReadingScript::LeaveResult() {
  bool left = false;
  while (!left) {
    co_await WaitResultLeft();
    PlayWave0("6.wav");
    const Answer answer = co_await Ask("ぜんぶウソだけどね！！");
    PlayWave0("1.wav");
    if (answer == Answer::Yes) {
      co_await Tell("フン！！");
      // A refused close (the save failed) leaves the sheet up, to be left again.
      CloseWindow();
    } else {
      co_await Tell("君いい子ね！");
      PlayWave0("1.wav");
      ShowPanel(Panel::Title);
      PlayWave1("guitar.wav");
      left = true;
    }
  }
}

}  // namespace game
