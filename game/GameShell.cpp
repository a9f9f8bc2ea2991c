// The spine of the game: start-up, the title screen and its animation, the two timers, the
// openings of both readings, the data reset and closing.
#include <QApplication>
#include <QTimer>
#include <vector>

#include "game/CueSink.h"
#include "game/Profile.h"
#include "game/ProfileFile.h"
#include "game/ProfileStore.h"
#include "game/Tables.h"
#include "game/TForm1.h"
#include "platform/Dialogs.h"
#include "platform/HandlerGuard.h"
#include "platform/Pictures.h"
#include "platform/core/Cp932.h"

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

QString number(std::int64_t n) { return QString::number(n); }

// A new play starts from an unknown player: name, sex and birthday are asked again.
void forgetPlayer(tmy& p) {
  p.playerName.clear();
  p.playerSex = 0;
  p.birthMonth = 0;
  p.birthDay = 0;
}

}  // namespace

void TForm1::runStartupStep(const std::function<void()>& step) {
  // Each step is guarded on its own: a failed step is reported and the rest still run, so
  // the window always opens laid out and playable. The report waits until the window is
  // shown (see showEvent), so that its box is centred over the window and modal to it.
  try {
    step();
  } catch (const std::exception& e) {
    startupBoxes_.push_back({true, QString::fromUtf8(e.what())});
  } catch (...) {
    startupBoxes_.push_back({true, QStringLiteral("Unknown error")});
  }
}

void TForm1::FormCreate() {
  // Five wave slots from "1.wav"; the sink swallows a failure and leaves the rest empty.
  cues_.openSlots("1.wav");
  runStartupStep([this] { LoadGameData(); });
  runStartupStep([this] {
    t1->setPicture(platform::loadPicture(picturePath("1.jpg")));
  });
  runStartupStep([this] {
    t2->setPicture(platform::loadPicture(picturePath("2.jpg")));
  });
  runStartupStep([this] {
    t3->setPicture(platform::loadPicture(picturePath("3.jpg")));
  });
  title_cg->setGeometry(0, 0, start_box->width(), start_box->height());
  bak->resize(64, 64);
  update();
  PlayWave1("guitar.wav");
  PlayMusic("gos.mid");
}

void TForm1::LoadGameData() {
  ProfileStore::LoadOutcome outcome = profileStore_->load(profile);
  for (const std::string& notice : outcome.notices)
    startupBoxes_.push_back({false, QString::fromStdString(notice)});
  NameListResult names = readNameList(env_.assetRoot / "dat" / "name.dat", nameList);
  fillBuiltInTables();
  if (!names.opened)
    throw std::runtime_error("Cannot open file \"" +
                             (env_.assetRoot / "dat" / "name.dat").string() + "\". " +
                             names.reason);
}

bool TForm1::SaveProfile() {
  ProfileStore::SaveOutcome outcome = profileStore_->save(profile);
  for (const std::string& notice : outcome.notices)
    platform::dialogs().inform(this, QString::fromStdString(notice));
  if (!outcome.ok) {
    // Nothing the player typed may be lost without asking: closing now would drop it. No is
    // the default, so a reflexive Return keeps the game (and what was done) open.
    platform::Answer answer = platform::dialogs().confirm(
        this,
        QString::fromStdString(outcome.error) + QStringLiteral("\n\n保存しないで終了しますか？"),
        platform::Answer::No);
    return answer == platform::Answer::Yes;
  }
  return true;
}

void TForm1::Timer2Timer() {
  if (start_box->isHidden()) return;
  tickCount += 1;
  if (tickCount > 999) tickCount = 0;
  const platform::PictureBox* frames[3] = {t1, t2, t3};
  const QImage& frame = frames[tickCount % 3]->picture();
  title_cg->drawAt(QPoint(0, 0), frame);
}

void TForm1::Timer1Timer() {
  std::int64_t now = clock_.wallMilliseconds();
  if (now > nextStatusTime) {
    nextStatusTime = now + 80;
    RefreshStatus();
  }
  QString name = name_l->text();
  if (platform::cp932Length(name.toStdString()) > 18) {
    PlayWave0("no.wav");
    ShowFace("kao3.bmp");
    name_l->setText(QString::fromStdString(platform::cp932Prefix(name.toStdString(), 18)));
    moji_l->setCaption(QStringLiteral("それ以上書いたらはみでるんだよ！！"));
  }
}

void TForm1::Button1Click() {
  PlayWave2("start.wav");
  start_box->hide();
  BeginSingleReading();
}

void TForm1::Image14Click() {
  PlayWave2("start.wav");
  start_box->hide();
  BeginCompatReading();
}

void TForm1::BeginSingleReading() {
  gameMode = 1;
  profile.mood = 0;
  ShowFace("kao.bmp");
  for (const Milestone& row : singleMilestones()) {
    if (row.count != profile.readingCount) continue;
    for (const char* line : row.lines) {
      Say(QString::fromUtf8(line));
      WaitClick();
    }
  }
  Say(QStringLiteral("まず名前をおしえてね"));
  WaitClick();

  if (isReturningPlayer(profile)) {
    Say(QStringLiteral("…と思ったけど君もしかして") + number(profile.birthMonth) +
        QStringLiteral("月") + number(profile.birthDay) + QStringLiteral("産まれの") +
        QString::fromStdString(profile.playerName) + QStringLiteral("ちゃん？"));
    const WaitEnd end = WaitYesNo();
    if (end == WaitEnd::Answered && yesNoAnswer == 1) {
      profile.mood += 1;
      Say(QStringLiteral("やっぱりね、私の見る目に狂いはなかったわ"));
      WaitClick();
      name_l->setText(QString::fromStdString(profile.playerName));
      OfferChoices();
      return;
    }
    if (end == WaitEnd::Answered) {  // no
      name_l->clear();
      Say(QStringLiteral("なんだ、違うのか"));
      WaitClick();
    }
  }
  forgetPlayer(profile);
  Say(QStringLiteral("はい、名前を入力してくださいよ！"));
  name_box->show();
}

void TForm1::grantItem(std::int32_t& flag) {
  PlayWave1("kekka.wav");
  flag = 1;
}

void TForm1::BeginCompatReading() {
  gameMode = 2;
  profile.mood = 0;
  ShowFace("kao.bmp");
  for (const CompatMilestone& row : compatMilestones()) {
    if (row.count != profile.compatCount) continue;
    for (const CompatLine& line : row.lines) {
      switch (line.grant) {
        case Grant::Universe: grantItem(profile.ownsUniverse); break;
        case Grant::SeekingBrain: grantItem(profile.ownsSeekingBrain); break;
        case Grant::Happiness: grantItem(profile.ownsHappiness); break;
        case Grant::None: break;
      }
      Say(QString::fromUtf8(line.text));
      WaitClick();
    }
  }
  Say(QStringLiteral("まずあなたの生年月日を教えてね"));
  WaitClick();
  forgetPlayer(profile);
  umare_box->show();
}

void TForm1::FormKeyDown(int key) {
  if (key != Qt::Key_F1) return;
  // Only while the window itself has the keyboard, not one of its input fields.
  QWidget* focus = QApplication::focusWidget();
  if (focus && focus != this) return;
  platform::Answer answer = platform::dialogs().confirm(
      this, QStringLiteral("データを初期化してしまいます。よろしいですか？普通はいいえを押して下さい"));
  // A close accepted while the box was open dismissed it: that is no consent.
  if (answer == platform::Answer::No || closing_) return;
  profile.readingCount = 0;
  profile.compatCount = 0;
  profile.playerName.clear();
  profile.birthMonth = 0;
  profile.birthDay = 0;
  profile.ownsUniverse = 0;
  profile.ownsSeekingBrain = 0;
  profile.ownsHappiness = 0;
  platform::dialogs().inform(this, QStringLiteral("Done...."));
}

bool TForm1::FormClose() {
  if (closing_) return true;
  // A second request (the close box again, a signal) while the save's question is open is
  // left to that question's answer.
  if (decidingClose_) return false;
  decidingClose_ = true;
  const bool saved = SaveProfile();
  decidingClose_ = false;
  if (!saved) return false;  // refused: the game goes on exactly where it was
  closing_ = true;
  yesNoAnswer = -1;
  clickState = -1;
  return true;
}

void TForm1::FormDestroy() {
  // Slots 4, 3, 2, 1, 0, then any older wave still held; nothing is reported.
  cues_.releaseSlots();
}

}  // namespace game
