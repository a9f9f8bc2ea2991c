#pragma once
// The base of the game's conversations: the operations a script is written with, each a
// call on the engine. A script is a member coroutine returning Task; it reads top to bottom:
//
//   Say("…");
//   co_await WaitClick();
//   if (co_await WaitYesNo() == Answer::Yes) …
//
// Each co_await suspends the script until the engine has the input; nothing is checked for
// closing, since a close destroys the suspended script (GameEngine::cancel). The object
// must outlive every task it made: the engine owns its scripts.
#include <coroutine>
#include <cstdint>
#include <string>
#include <utility>

#include "game/core/GameEngine.h"
#include "game/core/PlayState.h"
#include "game/core/Task.h"

namespace game {

class Conversation {
 public:
  explicit Conversation(GameEngine& engine) : engine_(engine) {}

 protected:
  // Awaits one input of the engine; Result is what the wait gives back.
  template <typename Result>
  struct Input {
    GameEngine& engine;
    Wait kind;
    Result (*read)(GameEngine&);
    bool await_ready() const noexcept { return false; }
    bool await_suspend(std::coroutine_handle<> waiting) { return engine.beginWait(kind, waiting); }
    Result await_resume() const { return read(engine); }
  };
  struct Pair {
    int month, day;
  };

  void Say(const std::string& utf8) { engine_.Say(utf8); }
  Input<void> WaitClick() { return {engine_, Wait::Click, [](GameEngine&) {}}; }
  Input<Answer> WaitYesNo() { return {engine_, Wait::YesNo, [](GameEngine& e) { return e.lastAnswer(); }}; }
  Input<void> WaitName() { return {engine_, Wait::Name, [](GameEngine&) {}}; }
  Input<std::int32_t> WaitSex() { return {engine_, Wait::Sex, [](GameEngine& e) { return e.lastSex(); }}; }
  Input<Pair> WaitBirthday() {
    return {engine_, Wait::Birthday, [](GameEngine& e) { return Pair{e.lastMonth(), e.lastDay()}; }};
  }
  Input<int> WaitChoice() { return {engine_, Wait::Choice, [](GameEngine& e) { return e.lastSlot(); }}; }
  Input<void> WaitResultLeft() { return {engine_, Wait::Result, [](GameEngine&) {}}; }
  // A question box over the window; the script goes on when it is answered.
  Input<Answer> Ask(const std::string& utf8) {
    engine_.prepareBox(utf8, true);
    return {engine_, Wait::Box, [](GameEngine& e) { return e.lastAnswer(); }};
  }
  // A notice box over the window; the script goes on when it is closed.
  Input<void> Tell(const std::string& utf8) {
    engine_.prepareBox(utf8, false);
    return {engine_, Wait::Box, [](GameEngine&) {}};
  }

  void ShowFace(const std::string& file) { engine_.ShowFace(file); }
  void ShowPanel(Panel panel) { engine_.view().showPanel(panel); }
  void RefreshStatus() { engine_.RefreshStatus(); }
  void PlayWave0(const std::string& file) { engine_.PlayWave0(file); }
  void PlayWave1(const std::string& file) { engine_.PlayWave1(file); }
  void PlayWave2(const std::string& file) { engine_.PlayWave2(file); }
  void PlayWave3(const std::string& file) { engine_.PlayWave3(file); }
  void PlayMusic(const std::string& name) { engine_.PlayMusic(name); }
  // The window closes (saving first) once the script has yielded.
  void CloseWindow() { engine_.requestClose(); }

  // The birthday panel is shown: takes a birthday (the player's own, or the partner's in
  // GameMode::CompatPartner) and has it confirmed, asking again until it is.
  Task<void> AskBirthday();

  tmy& profile() { return engine_.profile(); }
  GameEngine& engine() { return engine_; }

 private:
  GameEngine& engine_;
};

std::string number(std::int64_t n);

// A new play starts from an unknown player: name, sex and birthday are asked again.
void forgetPlayer(tmy& p);

}  // namespace game
