// The last stretch of a single reading: the teases, the three offered words, the reaction,
// the ritual, the result sheet and leaving it.
#include "game/Profile.h"
#include "game/QuietFailures.h"
#include "game/ReadingEngine.h"
#include "game/Tables.h"
#include "game/TForm1.h"
#include "platform/Dialogs.h"
#include "platform/Pictures.h"

namespace game {
namespace {

QString number(std::int64_t n) { return QString::number(n); }
QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

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

void TForm1::OfferChoices() {
  if (random_.Random(10) == 0) {
    QString guess = text(RandomName(random_, nameList));
    Say(QStringLiteral("んと、あんたの名前は") + guess + QStringLiteral("で、♂で") +
        number(profile.birthMonth) + QStringLiteral("月") + number(profile.birthDay) +
        QStringLiteral("生まれ…であってる？"));
    const WaitEnd end = WaitYesNo();
    if (end == WaitEnd::Answered && yesNoAnswer == 1) {
      profile.playerName = guess.toStdString();
      profile.playerSex = 1;
      Say(QStringLiteral("ＯＫ、") + guess + QStringLiteral("君ね、変な名前っ"));
      WaitClick();
    } else if (end == WaitEnd::Answered) {
      Say(QStringLiteral("ああ、ちがったちがった、") + text(profile.playerName) +
          QStringLiteral("ちゃんだった"));
      WaitClick();
    }
  }
  if (random_.Random(10) == 0) {
    int m = random_.Random(12) + 1;
    int d = random_.Random(30) + 1;
    Say(QStringLiteral("えーと、あんたの名前は") + text(profile.playerName) + QStringLiteral("で、") +
        number(m) + QStringLiteral("月") + number(d) + QStringLiteral("生まれ…であってる？"));
    const WaitEnd end = WaitYesNo();
    if (end == WaitEnd::Answered && yesNoAnswer == 1) {
      profile.birthMonth = m;
      profile.birthDay = d;
      Say(QStringLiteral("ＯＫ、ＯＫ、") + number(m) + QStringLiteral("月") + number(d) +
          QStringLiteral("生まれ…と・・・・"));
      WaitClick();
    } else if (end == WaitEnd::Answered) {
      Say(QStringLiteral("ああ、ちがったちがった、") + number(profile.birthMonth) +
          QStringLiteral("月") + number(profile.birthDay) + QStringLiteral("生まれでしょ！"));
      WaitClick();
    }
  }
  ShowFace("kao.bmp");
  Say(QStringLiteral("んじゃ、君の好きなの選んでニャ"));
  item_box->show();
  item_l1->setCaption(text(RandomWord(random_, choiceWords)));
  item_l2->setCaption(text(RandomWord(random_, choiceWords)));
  item_l3->setCaption(text(RandomWord(random_, choiceWords)));
}

void TForm1::onChoice(int slot, platform::TextLabel* label) {
  PlayWave0("1.wav");
  profile.chosenSlot = slot;
  SingleReading(label->caption());
}

void TForm1::item_l1MouseDown() { onChoice(1, item_l1); }
void TForm1::item_l2MouseDown() { onChoice(2, item_l2); }
void TForm1::item_l3MouseDown() { onChoice(3, item_l3); }

void TForm1::SingleReading(const QString& word) {
  item_box->hide();

  int r = random_.Random(90);
  if (r < 20) {
    profile.mood += kReactions[r].mood;
    Say(QStringLiteral("『") + word + QString::fromUtf8(kReactions[r].line));
    WaitClick();
  } else if (r == 20 || r == 27) {
    Say(QString::fromUtf8(kReactions[r].line));
    if (WaitYesNo() == WaitEnd::Answered) {
      profile.mood += yesNoAnswer == 1 ? 1 : -1;
      if (r == 20)
        Say(yesNoAnswer == 1 ? QStringLiteral("知ってるんだ！！") : QStringLiteral("なんだ、そっか・・・"));
      else
        Say(QStringLiteral("そっか・・・"));
      WaitClick();
    }
  } else if (r < 35) {
    profile.mood += kReactions[r].mood;
    Say(QString::fromUtf8(kReactions[r].line));
    WaitClick();
    if (r == 26) {
      Say(QStringLiteral("ような気がしたけど・・・気のせいだったみたい・・・"));
      WaitClick();
    }
  }

  ShowFace("kao1.bmp");
  Say(QStringLiteral("よーーし占っちゃうゾー！！！どうなっても知らないゾー！！"));
  WaitClick();
  ShowFace("kao3.bmp");
  Say(QStringLiteral("むむむむむむむむむむ"));
  WaitClick();
  ShowFace("kao4.bmp");
  Say(QStringLiteral("ピロピロビクビクポムリーン！！"));
  WaitClick();
  ShowFace("kao5.bmp");
  PlayWave2("deta.wav");
  Say(QStringLiteral("でましたんっ！！"));
  WaitClick();

  game::SingleReading result = computeSingleReading(profile, word.toStdString(), clock_.today(),
                                                    random_, choiceWords, luckyItems, adviceLines);
  end_l->setCaption(text(result.resultText));
  end_l2->setCaption(number(result.resultScore));
  end_l3->setCaption(text(result.advice));

  // A missing or broken result picture must not strand the player: the sheet is shown
  // without it and the rest of the step runs.
  std::string stem = bandStem(result.band);
  try {
    end_Cg->setPicture(platform::loadPicture(picturePath(stem + ".bmp")));
  } catch (const std::exception& e) {
    end_Cg->setPicture(QImage());
    reportQuietFailure(QuietFailure::Picture, "\"" + picturePath(stem + ".bmp").string() + "\"",
                       e.what());
  } catch (...) {
    end_Cg->setPicture(QImage());
  }
  PlayWave1(stem + ".wav");
  PlayWave3("kekka.wav");
  kekka_box->show();
  PlayMusic("not");
}

void TForm1::Image16MouseDown() {
  PlayWave0("6.wav");
  platform::Answer answer = platform::dialogs().confirm(this, QStringLiteral("ぜんぶウソだけどね！！"));
  if (closing_) return;  // closed while the box was open: it was dismissed, nothing follows
  if (answer == platform::Answer::Yes) {
    PlayWave0("1.wav");
    platform::dialogs().inform(this, QStringLiteral("フン！！"));
    close();
    return;
  }
  PlayWave0("1.wav");
  platform::dialogs().inform(this, QStringLiteral("君いい子ね！"));
  PlayWave0("1.wav");
  kekka_box->hide();
  start_box->show();
  PlayWave1("guitar.wav");
}

}  // namespace game
