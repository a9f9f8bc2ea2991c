// The speech line and the two waits every conversation is written with.
//
// A wait is a nested event loop that sleeps until the next event arrives: timers, painting,
// clicks, keys and the close request all run inside it. The closing value −1 of a flag ends
// every wait at once and keeps later waits from starting; no wait clears it.
#include <QCoreApplication>
#include <QEventLoop>

#include "game/TForm1.h"

namespace game {

void TForm1::Say(const QString& text) {
  if (clickState == -1) return;
  moji_l->setCaption(text);
}

void TForm1::WaitClick() {
  if (clickState == -1) return;
  clickState = 0;
  click_l->show();
  if (onWaitBegins) onWaitBegins(WaitKind::Click);
  while (clickState == 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  click_l->hide();
}

void TForm1::WaitYesNo() {
  if (yesNoAnswer == -1) return;
  yesNoAnswer = 0;
  yes_click_box->show();
  if (onWaitBegins) onWaitBegins(WaitKind::YesNo);
  while (yesNoAnswer == 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  yes_click_box->hide();
}

void TForm1::moji_lMouseDown() {
  RefreshStatus();
  if (clickState != 1) {
    PlayWave1("1.wav");
    clickState = 1;
  }
}

void TForm1::cgMouseDown() {
  ShowFace("kao3.bmp");
  Say(QStringLiteral("むきゃっ、顔さわんな！！ウザっ！！"));
}

}  // namespace game
