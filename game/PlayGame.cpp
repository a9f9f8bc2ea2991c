#include "game/PlayGame.h"

#include <QApplication>
#include <QScreen>

#include "game/SignalCloser.h"

namespace game {

int playGame(GameEnvironment environment) {
  // `kill`, Ctrl+C or a closing session end the game like the close box: the profile is
  // saved. Installed first, so that a request during a start-up notice closes in order too.
  SignalCloser closeOnSignal;
  TForm1 form(std::move(environment));
  if (QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  closeOnSignal.setWindow(&form);
  form.show();
  return QApplication::exec();
}

}  // namespace game
