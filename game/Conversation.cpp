// The speech line and the two waits every conversation is written with.
//
// A wait is a nested event loop that sleeps until the next event arrives: timers, painting,
// clicks, keys and the close request all run inside it. A wait tells its caller how it ended:
// answered, or cut short because the window is closing. Once a close has been accepted every
// wait ends at once, no later wait starts and Say falls silent; a refused close changes
// nothing, so the game goes on exactly where it was.
#include <QCoreApplication>
#include <QEventLoop>

#include "game/TForm1.h"

namespace game {

void TForm1::Say(const QString& text) {
  if (closing_) return;
  moji_l->setCaption(text);
}

WaitEnd TForm1::WaitClick() {
  if (closing_) return WaitEnd::Closing;
  clickState = 0;
  click_l->show();
  if (onWaitBegins) onWaitBegins(WaitKind::Click);
  while (clickState == 0 && !closing_)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  click_l->hide();
  return closing_ ? WaitEnd::Closing : WaitEnd::Answered;
}

WaitEnd TForm1::WaitYesNo() {
  if (closing_) return WaitEnd::Closing;
  yesNoAnswer = 0;
  yesNoChoice_ = 0;
  yes_click_box->show();
  if (onWaitBegins) onWaitBegins(WaitKind::YesNo);
  while (yesNoAnswer == 0 && !closing_)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  highlightYesNo(0);
  yes_click_box->hide();
  return closing_ ? WaitEnd::Closing : WaitEnd::Answered;
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
