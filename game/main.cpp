// The fortune-telling game: one window, run until it closes.
#include <QGuiApplication>
#include <QScreen>

#include "game/TForm1.h"
#include "platform/Application.h"
#include "platform/core/AppPaths.h"

int main(int argc, char** argv) {
  platform::Application app(argc, argv, QStringLiteral("pomuri"),
                            QStringLiteral("ネオ・ポムリーくん占いステッキ"));
  game::GameEnvironment environment;
  environment.assetRoot = platform::executableDir();
  environment.profileFallback = platform::userDataDir("pomuri") / "my.dat";
  game::TForm1 form(std::move(environment));
  if (QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  form.show();
  return app.exec();
}
