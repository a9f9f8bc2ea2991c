// The yes/no panel, the sex question and the birthday question of both readings.
#include "game/Profile.h"
#include "game/TForm1.h"

namespace game {

void TForm1::Label1MouseDown() {
  PlayWave0("2.wav");
  yesNoAnswer = 1;
}

void TForm1::Label2MouseDown() {
  PlayWave0("2.wav");
  yesNoAnswer = 2;
}

void TForm1::Label3MouseDown() {
  profile.playerSex = 1;
  SexChosen();
}

void TForm1::Label4MouseDown() {
  profile.playerSex = 2;
  SexChosen();
}

void TForm1::SexChosen() {
  sex_box->hide();
  PlayWave0("3.wav");
  ShowFace("kao2.bmp");
  Say(profile.playerSex == 1 ? QStringLiteral("おまえおとこか！！はいおっけ！")
                             : QStringLiteral("おなごかっっ、はいおっけ！"));
  WaitClick();
  ShowFace("kao4.bmp");
  Say(QStringLiteral("次は生年月日だねっ"));
  umare_box->show();
}

void TForm1::umare_v2Change() { PlayWave1("key.wav"); }

void TForm1::Image9MouseDown() {
  PlayWave0("ok.wav");
  umare_box->hide();
  // value() limits the number to the field's range even while the field keeps the focus.
  int month = umare_v->value();
  int day = umare_v2->value();
  QString date = QString::number(month) + QStringLiteral("月") + QString::number(day) +
                 QStringLiteral("日");
  if (gameMode == 3) {
    profile.partnerMonth = month;
    profile.partnerDay = day;
    ShowFace("kao1.bmp");
    Say(QStringLiteral("相手の人の生年月日は、") + date + QStringLiteral("ね？"));
  } else {
    profile.birthMonth = month;
    profile.birthDay = day;
    ShowFace("kao1.bmp");
    Say(QStringLiteral("ほーほー、生年月日は、") + date + QStringLiteral("ね？"));
  }
  if (WaitYesNo() == WaitEnd::Closing) return;  // neither branch
  if (yesNoAnswer == 1) {
    if (gameMode == 1) {
      OfferChoices();
    } else if (gameMode == 2) {
      ShowFace("kao.bmp");
      Say(QStringLiteral("次は相手の人の生年月日ね"));
      WaitClick();
      umare_box->show();
      gameMode = 3;
    } else if (gameMode == 3) {
      CompatReading();
    }
  } else {
    profile.mood -= 1;
    ShowFace("kao3.bmp");
    Say(QStringLiteral("なに？君、私の記憶力を疑う気なわけ？"));
    WaitClick();
    Say(QStringLiteral("ムキー！早く教えてよ！！"));
    umare_box->show();
  }
}

}  // namespace game
