// The fortune-telling game: one window, run until it closes.
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/CommandLine.h"
#include "game/SignalCloser.h"
#include "game/SoundSystem.h"
#include "game/TForm1.h"
#include "platform/Application.h"
#include "platform/core/AppPaths.h"
#include "platform/core/RandomSource.h"

#ifndef POMURI_VERSION
#define POMURI_VERSION "unknown"
#endif

int main(int argc, char** argv) {
  // Answered before the toolkit starts, so they work without a display.
  const game::CommandLine options =
      game::parseCommandLine(std::vector<std::string>(argv, argv + argc), POMURI_VERSION);
  switch (options.action) {
    case game::CommandLine::Action::PrintHelp:
    case game::CommandLine::Action::PrintVersion:
      std::fputs(options.output.c_str(), stdout);
      return 0;
    case game::CommandLine::Action::Fail:
      std::fputs(options.output.c_str(), stderr);
      return options.exitCode;
    case game::CommandLine::Action::Run:
      break;
  }

  platform::Application app(argc, argv, QStringLiteral("pomuri"),
                            QStringLiteral("ネオ・ポムリーくん占いステッキ"));
  const game::GamePaths paths =
      game::resolveGamePaths(options.dataDir, platform::executableDir(),
                             platform::userDataDir("pomuri") / "my.dat", game::PathProbe::real());
  // false: no sound devices; the game runs silently.
  game::startSound(paths.assetRoot / "WAVEMIX.INI");
  game::GameEnvironment environment;
  environment.assetRoot = paths.assetRoot;
  environment.profilePrimary = paths.profilePrimary;
  environment.profileFallback = paths.profileFallback;
  environment.profileReadOnly = paths.profileReadOnly;
  std::unique_ptr<platform::SeededRandom> seeded;
  if (options.seed) {
    seeded = std::make_unique<platform::SeededRandom>(*options.seed);
    environment.random = seeded.get();
  }
  game::TForm1 form(std::move(environment));
  if (QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  // `kill`, Ctrl+C or a closing session end the game like the close box: the profile is saved.
  game::SignalCloser closeOnSignal(&form);
  form.show();
  return app.exec();
}
