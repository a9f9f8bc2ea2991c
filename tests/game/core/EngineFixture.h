#pragma once
// A GameEngine without a window: a view that remembers what it was told, a manual clock,
// scripted randomness, recorded cues and a temporary asset folder. Waits are answered from
// `steps` as they begin, through the engine's own input calls.
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "game/core/GameEngine.h"
#include "game/core/GameView.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/RandomSource.h"
#include "tests/support/CueRecorder.h"
#include "tests/support/ScriptedRandom.h"

namespace testing_support {

class RecordingView final : public game::GameView {
 public:
  std::string line;
  game::Panel panel = game::Panel::Title;
  bool clickPrompt = false;
  int faceSide = 64;
  std::string name;
  std::array<std::string, 3> choices;
  game::ResultSheet result;
  std::vector<std::string> boxes;  // "?" + text for a question, "!" + text for a notice
  int closeRequests = 0;

  void showLine(const std::string& utf8) override { line = utf8; }
  void showFace(const std::string&) override {}
  void setFaceSourceSide(int pixels) override { faceSide = pixels; }
  void showPanel(game::Panel p) override { panel = p; }
  void showClickPrompt(bool shown) override { clickPrompt = shown; }
  void showStatus(const game::StatusValues&) override {}
  void showName(const std::string& utf8) override { name = utf8; }
  void showChoices(const std::array<std::string, 3>& words) override { choices = words; }
  void showResult(const game::ResultSheet& sheet) override { result = sheet; }
  void ask(const std::string& utf8) override { boxes.push_back("?" + utf8); }
  void tell(const std::string& utf8) override { boxes.push_back("!" + utf8); }
  void closeWindow() override { ++closeRequests; }
};

class EngineFixture : public ::testing::Test {
 public:
  // What the next click and yes/no waits get; when empty, a click wait is clicked and a
  // yes/no wait fails the test. Boxes are answered from boxAnswers (Yes when empty).
  enum class Step { Click, Yes, No, Close, Ignore };
  std::deque<Step> steps;
  std::deque<game::Answer> boxAnswers;
  std::vector<std::string> said;  // the speech line as each click or yes/no wait began

  std::filesystem::path root;
  platform::ManualClock clock;
  ScriptedRandom random;
  platform::SeededRandom tremble{7};
  CueRecorder cues;
  RecordingView view;
  std::unique_ptr<game::GameEngine> engine;

  void SetUp() override {
    root = std::filesystem::temp_directory_path() /
           ("pomuri-engine-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "dat");
    std::ofstream names(root / "dat" / "name.dat", std::ios::binary);
    for (const char* n : {"ＡＫＩ", "ＭＩＫＡ", "ＲＥＮ"}) names << *platform::utf8ToCp932(n) << "\r\n";
    names.close();
    clock.setToday({2026, 12, 7, 2});
    clock.setWallMilliseconds(1'000'000);
    engine = std::make_unique<game::GameEngine>(
        game::ProfileStore(root / "dat" / "my.dat", root / "fallback" / "my.dat"),
        root / "dat" / "name.dat", game::EngineDevices{clock, random, tremble, cues}, view);
    std::vector<std::string> notices;
    engine->LoadGameData(notices);
    engine->onWaitBegins = [this](game::Wait kind) { answer(kind); };
  }

  void TearDown() override {
    engine.reset();
    std::filesystem::remove_all(root);
  }

  game::tmy& profile() { return engine->profile(); }
  std::vector<std::string> cueNames(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& c : cues.cues)
      if (c.kind == kind) out.push_back(c.name);
    return out;
  }

  // A player the game greets as returning, so that a single reading goes straight to the
  // offered words after two clicks and a yes.
  void makeReturning() {
    profile().playerName = "ＡＫＩ";
    profile().playerSex = 2;
    profile().birthMonth = 3;
    profile().birthDay = 15;
  }
  void startAtTheWords() {
    makeReturning();
    steps.insert(steps.begin(), {Step::Click, Step::Yes, Step::Click});
    engine->startSingleReading();
    said.erase(said.begin(), said.begin() + 3);  // the greeting before the offered words
  }

  void answer(game::Wait kind) {
    if (kind == game::Wait::Box) {
      game::Answer a = game::Answer::Yes;
      if (!boxAnswers.empty()) a = boxAnswers.front(), boxAnswers.pop_front();
      engine->boxAnswered(a);
      return;
    }
    if (kind != game::Wait::Click && kind != game::Wait::YesNo) return;
    said.push_back(view.line);
    Step step = Step::Click;
    if (!steps.empty()) {
      step = steps.front();
      steps.pop_front();
    } else if (kind == game::Wait::YesNo) {
      ADD_FAILURE() << "unexpected yes/no wait at: " << view.line;
      step = Step::Close;
    }
    switch (step) {
      case Step::Click: engine->click(); break;
      case Step::Yes: engine->answer(game::Answer::Yes); break;
      case Step::No: engine->answer(game::Answer::No); break;
      case Step::Close: engine->cancel(); break;
      case Step::Ignore: break;
    }
  }
};

}  // namespace testing_support
