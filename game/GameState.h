#pragma once
// The process-wide game state: the profile (Profile.h) and the text tables (Tables.h).

namespace game {

// Puts the profile and every table back as a start-up without my.dat and name.dat leaves
// them: an empty profile, the built-in tables filled, the name list empty. Tests that share
// one process call it before each case. On the thread that uses the game state.
void resetGameState();

}  // namespace game
