#pragma once
// The game's run from the window's creation to its close: what the program's main does once
// the application object, the sound, the paths and the real objects are set up.
#include "game/view/TForm1.h"

namespace game {

// Installs the termination-signal handlers (before anything can open a box), makes the
// window with the given devices, shows it and runs the event loop until it closes.
// Returns the event loop's exit code. Call on the GUI thread with an application object.
int playGame(GameEnvironment environment, GameDevices devices);

}  // namespace game
