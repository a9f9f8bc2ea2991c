#pragma once
// What the window is made with: its caption, where its files are, and what it plays with.
#include <QString>
#include <filesystem>

#include "game/core/CueSink.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

namespace game {

inline const QString kWindowCaption = QStringLiteral("ネオ・ポムリーくん占いステッキ　ver1.0");

// The window's caption, which is also the application's display name: the toolkit appends
// the display name to every window title that does not already end with it.
inline const QString kApplicationDisplayName = kWindowCaption;

// Where the window finds its files, and whether it runs its own timers.
struct GameEnvironment {
  std::filesystem::path assetRoot;        // holds dat/ and cg/
  std::filesystem::path profileFallback;  // my.dat in the user's data folder
  // Where my.dat is kept first; empty: <assetRoot>/dat/my.dat. An installed program points
  // it at the user's data folder, as its asset folder is shared and read-only.
  std::filesystem::path profilePrimary;
  std::filesystem::path profileReadOnly;  // read at start, never written; empty: none
  bool startTimers = true;  // false: the test calls Timer1Timer / Timer2Timer itself
};

// What the window plays with. The caller owns each object and keeps it alive longer than the
// window: the program passes the real ones (ProgramObjects), tests their own.
struct GameDevices {
  platform::Clock& clock;
  platform::RandomSource& random;   // the readings' draws
  platform::RandomSource& tremble;  // the portrait's tremble (see GameRandom)
  CueSink& cues;
};

}  // namespace game
