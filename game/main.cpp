// The fortune-telling game: one window, run until it closes.
#include <cstdio>
#include <string>
#include <vector>

#include "game/core/CommandLine.h"
#include "game/view/PlayGame.h"
#include "game/view/ProgramObjects.h"
#include "game/view/SoundSystem.h"
#include "game/view/TForm1.h"
#include "platform/Application.h"
#include "platform/core/AppPaths.h"

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

  platform::Application app(argc, argv, QStringLiteral("pomuri"), game::kApplicationDisplayName);
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
  // The system clock, the generators of --seed (else of the clock), the mixer and FluidSynth.
  game::ProgramObjects objects(paths.assetRoot, options.seed);
  return game::playGame(std::move(environment), objects.devices());
}
