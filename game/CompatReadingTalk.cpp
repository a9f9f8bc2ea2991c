// The compatibility reading as the fortune-teller says it: the questions, the closing lines,
// the two percentages with their pictures and sounds, and the satisfaction question.
#include "game/Profile.h"
#include "game/ReadingEngine.h"
#include "game/TForm1.h"
#include "platform/Dialogs.h"

namespace game {

void TForm1::CompatReading() {
  const platform::LocalDate today = clock_.today();
  ShowFace("kao.bmp");
  Say(QStringLiteral("では、質問しますニャ！！"));
  WaitClick();

  askCompatQuestions(random_, profile.mood, [this](std::string_view question) {
    Say(QString::fromUtf8(question.data(), static_cast<int>(question.size())));
    // Cut short by closing: neither answer.
    return WaitYesNo() == WaitEnd::Answered ? yesNoAnswer : -1;
  });

  ShowFace("kao1.bmp");
  Say(QStringLiteral("はい、しつもん終わり!!"));
  WaitClick();
  ShowFace("kao4.bmp");
  Say(QStringLiteral("ではーーーーあなたと相手の人との【今日の相性】は～・・・・・・"));
  WaitClick();
  ShowFace("kao3.bmp");
  Say(QString(23, QChar(u'ム')));
  WaitClick();
  ShowFace("kao5.bmp");
  PlayWave2("deta.wav");
  Say(QStringLiteral("デタ！！！"));
  WaitClick();

  countOneMore(profile.compatCount);
  int compat = compatPercent(profile, today);
  bak->resize(150, 150);
  if (Band band = compatBand(compat); band != Band::None)
    ShowFace(std::string(bandStem(band)) + ".bmp");
  PlayWave3("kekka.wav");
  Say(QStringLiteral("今日のあなたと相手の人との相性度は・・・【") + QString::number(compat) +
      QStringLiteral("％】です！！"));
  WaitClick();

  std::int64_t heart = heartPercent(compat, profile.mood, profile.partnerMonth);
  if (Band band = compatBand(heart); band != Band::None) {
    ShowFace(std::string(bandStem(band)) + ".bmp");
    PlayWave1(std::string(bandStem(band)) + ".wav");
  }
  Say(QStringLiteral("さらにあなたと相手の人が今日、ときめきあっちゃう可能性は…【") +
      QString::number(heart) + QStringLiteral("％】!!"));
  const WaitEnd lastLine = WaitClick();

  bak->resize(64, 64);
  ShowFace("kao.bmp");
  // A window already closing asks nothing more: the reading only finishes its arithmetic.
  if (lastLine == WaitEnd::Closing) return;
  platform::Answer answer =
      platform::dialogs().confirm(this, QStringLiteral("どお、わたくしの占いに満足したかしら！？"));
  if (closing_) return;  // closed while the box was open: it was dismissed, nothing follows
  if (answer == platform::Answer::Yes) {
    PlayWave0("1.wav");
    platform::dialogs().inform(this, QStringLiteral("オホホホホ！！"));
    PlayWave0("1.wav");
    start_box->show();
    PlayWave1("guitar.wav");
  } else {
    ShowFace("kao3.bmp");
    PlayWave0("1.wav");
    platform::dialogs().inform(this, QStringLiteral("うるさいのよ！！"));
    close();
  }
}

}  // namespace game
