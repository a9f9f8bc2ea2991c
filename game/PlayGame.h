#pragma once
// The game's run from the window's creation to its close: what the program's main does once
// the application object, the sound and the paths are set up.
#include "game/TForm1.h"

namespace game {

// Installs the termination-signal handlers (before anything can open a box), makes the
// window, shows it and runs the event loop until it closes.
// Returns the event loop's exit code. Call on the GUI thread with an application object.
int playGame(GameEnvironment environment);

}  // namespace game
