// The name panel: letter tiles, the erase tile and the OK tile with its confirmation.
#include "game/Profile.h"
#include "game/TForm1.h"
#include "platform/core/Cp932.h"

namespace game {
namespace {

struct LetterTile {
  const char* letter;  // nullptr for the erase tile
  const char* sound;
  const char* remark;  // said directly on the speech line, or nullptr
  const char* face;    // portrait change, or nullptr
};

// Image18 … Image36, in order.
const LetterTile kTiles[19] = {
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
};

}  // namespace

void TForm1::onLetterTile(int tile) {
  const LetterTile& t = kTiles[tile];
  PlayWave0(t.sound);
  if (!t.letter) {  // the erase tile: drop the last letter (the last two CP932 bytes)
    QString name = name_l->text();
    if (name.isEmpty()) return;
    std::string utf8 = name.toStdString();
    std::size_t bytes = platform::cp932Length(utf8);
    name_l->setText(QString::fromStdString(platform::cp932Prefix(utf8, bytes >= 2 ? bytes - 2 : 0)));
    return;
  }
  // No length check here: the timer's name guard trims an over-long name.
  name_l->setText(name_l->text() + QString::fromUtf8(t.letter));
  if (t.remark) {
    moji_l->setCaption(QString::fromUtf8(t.remark));
    if (t.face) ShowFace(t.face);
  }
}

void TForm1::Image18MouseDown() { onLetterTile(0); }
void TForm1::Image19MouseDown() { onLetterTile(1); }
void TForm1::Image20MouseDown() { onLetterTile(2); }
void TForm1::Image21MouseDown() { onLetterTile(3); }
void TForm1::Image22MouseDown() { onLetterTile(4); }
void TForm1::Image23MouseDown() { onLetterTile(5); }
void TForm1::Image24MouseDown() { onLetterTile(6); }
void TForm1::Image25MouseDown() { onLetterTile(7); }
void TForm1::Image26MouseDown() { onLetterTile(8); }
void TForm1::Image27MouseDown() { onLetterTile(9); }
void TForm1::Image28MouseDown() { onLetterTile(10); }
void TForm1::Image29MouseDown() { onLetterTile(11); }
void TForm1::Image30MouseDown() { onLetterTile(12); }
void TForm1::Image31MouseDown() { onLetterTile(13); }
void TForm1::Image32MouseDown() { onLetterTile(14); }
void TForm1::Image33MouseDown() { onLetterTile(15); }
void TForm1::Image34MouseDown() { onLetterTile(16); }
void TForm1::Image35MouseDown() { onLetterTile(17); }
void TForm1::Image36MouseDown() { onLetterTile(18); }

void TForm1::Image4MouseDown() {
  QString name = name_l->text();
  if (name.isEmpty()) {
    PlayWave0("no.wav");
    profile.mood -= 1;
    ShowFace("kao3.bmp");
    Say(QStringLiteral("ちょっとまって？名前なし？私を馬鹿にしてるわけ？"));
    return;
  }
  name_box->hide();
  profile.playerName = name.toStdString();
  PlayWave0("ok.wav");
  ShowFace("kao2.bmp");
  Say(QStringLiteral("あなたのお名前はー・・・") + name + QStringLiteral("ちゃんね、フーン"));
  if (WaitYesNo() == WaitEnd::Closing) return;  // nothing more is done
  if (yesNoAnswer == 1) {
    ShowFace("kao.bmp");
    Say(QStringLiteral("よしっ、で、あなた男の子？女の子？"));
    sex_box->show();
  } else {
    profile.mood -= 1;
    ShowFace("kao3.bmp");
    Say(QStringLiteral("え？あなたさっきそう言ったじゃないの！！ちがうっていうの？"));
    WaitClick();
    ShowFace("kao4.bmp");
    Say(QStringLiteral("はいっ、２秒で名前を教えて！！"));
    name_box->show();
  }
}

}  // namespace game
