#include "game/view/PlayGame.h"

#include <QApplication>

#include "platform/SignalCloser.h"

namespace game {

int playGame(GameEnvironment environment, GameDevices devices) {
  // `kill`, Ctrl+C or a closing session end the game like the close box: the profile is
  // saved. Installed first, so that a request during a start-up notice closes in order too.
  platform::SignalCloser closeOnSignal;
  TForm1 form(std::move(environment), devices);
  closeOnSignal.setWindow(&form);
  form.show();
  return QApplication::exec();
}

}  // namespace game
