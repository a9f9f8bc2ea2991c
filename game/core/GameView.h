#pragma once
// What the engine asks of the window: the one way a play reaches the screen. The engine
// calls these on its own thread, from inside a conversation or an input call; none of them
// may run a nested event loop or call back into the engine synchronously, except ask() and
// tell(), whose answer may come at once (GameEngine::boxAnswered) or later.
#include <array>
#include <string>

#include "game/core/PlayState.h"
#include "game/core/Profile.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

namespace game {

// Where the portrait source is stretched to on the 150 × 150 face, in face pixels.
struct FaceRect {
  int x, y, width, height;
};

// The portrait's tremble: draws b, r, t, l in that order and gives (−l, −t) … (150 + r, 150 + b).
FaceRect portraitJitter(platform::RandomSource& random);

// Everything the status panel shows.
struct StatusValues {
  GameMode mode;
  const tmy& profile;
  platform::LocalDate today;
  FaceRect jitter;  // the portrait's tremble for this refresh
};

// The result sheet of a single reading.
struct ResultSheet {
  std::string resultText;  // lines broken by "\r"
  std::string score;
  std::string advice;
  std::string pictureStem;  // "<stem>.bmp" of the picture folder
  std::string spokenResultText;  // resultText as a screen reader says it (stars as "3/5")
};

class GameView {
 public:
  virtual ~GameView() = default;
  virtual void showLine(const std::string& utf8) = 0;       // the speech line
  virtual void showFace(const std::string& file) = 0;       // a portrait of the picture folder
  virtual void setFaceSourceSide(int pixels) = 0;           // the part of it the face shows
  virtual void showPanel(Panel panel) = 0;                  // every other panel hides
  virtual void showClickPrompt(bool shown) = 0;             // "CLICK HERE"
  virtual void showStatus(const StatusValues& status) = 0;
  virtual void showName(const std::string& utf8) = 0;       // the name panel's field
  virtual void showChoices(const std::array<std::string, 3>& words) = 0;
  virtual void showResult(const ResultSheet& sheet) = 0;
  // A Yes/No question box (Yes the default button) or a notice box with OK,
  // over the window without blocking; the engine is told of its end by boxAnswered().
  virtual void ask(const std::string& utf8) = 0;
  virtual void tell(const std::string& utf8) = 0;
  // Asks the window to close as its close box would (saving first; it may be refused).
  virtual void closeWindow() = 0;
};

}  // namespace game
