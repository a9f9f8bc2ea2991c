#pragma once
// A real TForm1 on the offscreen platform with a temporary asset folder, a manual clock,
// scripted randomness, recorded cues and scripted message boxes. Waits are answered by the
// script as they begin, through real mouse presses on the controls.
#include <QApplication>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/GameState.h"
#include "game/Profile.h"
#include "game/ProfileFile.h"
#include "game/TForm1.h"
#include "platform/Dialogs.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/RandomSource.h"
#include "tests/support/CueRecorder.h"
#include "tests/support/ScriptedRandom.h"

namespace testing_support {

// Answers confirmation boxes from a queue (Yes when empty) and records every box.
class ScriptedDialogs final : public platform::Dialogs {
 public:
  struct Box {
    std::string kind;  // "confirm", "inform", "error"
    QString text;
    platform::Answer defaultButton = platform::Answer::Yes;  // confirm only
  };
  std::deque<platform::Answer> answers;
  std::vector<Box> boxes;
  std::function<void()> onConfirm;  // runs while a confirmation box is "open"

  platform::Answer confirm(QWidget*, const QString& text, platform::Answer defaultButton) override {
    boxes.push_back({"confirm", text, defaultButton});
    if (onConfirm) onConfirm();
    if (answers.empty()) return platform::Answer::Yes;
    platform::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void inform(QWidget*, const QString& text) override { boxes.push_back({"inform", text}); }
  void error(QWidget*, const QString& text) override { boxes.push_back({"error", text}); }
  std::vector<QString> texts(const std::string& kind) const {
    std::vector<QString> out;
    for (const Box& b : boxes)
      if (b.kind == kind) out.push_back(b.text);
    return out;
  }
};

inline void pressOn(QWidget* w, QPoint at = QPoint(-1, -1)) {
  if (at.x() < 0) at = w->rect().center();
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
}

class FormFixture : public ::testing::Test {
 public:
  // What the script does at the next waits; when empty, a click wait is answered by a click
  // on the speech line and a yes/no wait fails the test.
  enum class Step { ClickSpeech, Yes, No, Close, Ignore };
  std::deque<Step> steps;
  struct WaitRecord {
    game::WaitKind kind;
    QString line;  // the speech line when the wait began
  };
  std::vector<WaitRecord> waits;

  std::filesystem::path root;
  platform::ManualClock clock;
  testing_support::ScriptedRandom random;
  platform::SeededRandom tremble{7};  // the portrait's own draws
  platform::RandomSource* trembleSource = &tremble;  // set before openForm to script them
  platform::RandomSource* randomSource = &random;    // set before openForm for a seeded run
  std::filesystem::path profilePrimary;              // empty: dat/my.dat beside the assets
  std::filesystem::path profileFallback;             // empty: <root>/fallback/my.dat
  testing_support::CueRecorder cues;
  ScriptedDialogs dialogs;
  std::unique_ptr<game::TForm1> form;
  std::size_t errorsAtOpen = 0;
  bool allowErrorsAfterOpen = false;

  void SetUp() override {
    root = std::filesystem::temp_directory_path() /
           ("pomuri-ui-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "dat");
    std::filesystem::create_directories(root / "cg");
    writeNameList({"ＡＫＩ", "ＭＩＫＡ", "ＲＥＮ"});
    clock.setToday({2026, 12, 7, 2});
    clock.setWallMilliseconds(1'000'000);
    game::resetGameState();
    platform::setDialogs(&dialogs);
  }

  void TearDown() override {
    // An exception that reached a handler shows an error box; after start-up none may appear.
    if (form && !allowErrorsAfterOpen) {
      auto errors = dialogs.texts("error");
      for (std::size_t i = errorsAtOpen; i < errors.size(); ++i)
        ADD_FAILURE() << "error box: " << errors[i].toStdString();
    }
    if (form) {
      form->onWaitBegins = nullptr;
      form.reset();
    }
    platform::setDialogs(nullptr);
    std::filesystem::remove_all(root);
  }

  void writeNameList(const std::vector<std::string>& names) {
    std::ofstream out(root / "dat" / "name.dat", std::ios::binary);
    for (const std::string& n : names) out << *platform::utf8ToCp932(n) << "\r\n";
  }

  void writeProfileFile(const game::tmy& p) {
    std::ofstream out(root / "dat" / "my.dat", std::ios::binary);
    out << game::encodeProfile(p);
  }

  void openForm() {
    game::GameEnvironment env;
    env.assetRoot = root;
    env.profilePrimary = profilePrimary;
    env.profileFallback = profileFallback.empty() ? root / "fallback" / "my.dat" : profileFallback;
    env.startTimers = false;
    form = std::make_unique<game::TForm1>(env, game::GameDevices{clock, *randomSource, *trembleSource, cues});
    form->show();
    QApplication::setActiveWindow(form.get());  // keyboard focus works as on a desktop
    QCoreApplication::processEvents();          // the start-up boxes, shown over the window
    errorsAtOpen = dialogs.texts("error").size();
    form->onWaitBegins = [this](game::WaitKind kind) { answerWait(kind); };
  }

  // Opens the window, then makes p the profile the game works with (as if loaded).
  void openFormWith(const game::tmy& p) {
    openForm();
    game::profile = p;
  }

  void answerWait(game::WaitKind kind) {
    waits.push_back({kind, form->moji_l->caption()});
    Step step = Step::ClickSpeech;
    if (!steps.empty()) {
      step = steps.front();
      steps.pop_front();
    } else if (kind == game::WaitKind::YesNo) {
      ADD_FAILURE() << "unexpected yes/no wait at: " << form->moji_l->caption().toStdString();
      step = Step::Close;
    }
    switch (step) {
      case Step::ClickSpeech: clickSpeech(form->moji_l); break;
      case Step::Yes: pressOn(form->Image6); break;
      case Step::No: pressOn(form->Image7); break;
      case Step::Close: form->close(); break;
      case Step::Ignore: break;
    }
  }

  // A press on the speech area refreshes the status (the tremble draws from its own generator).
  void clickSpeech(QWidget* target) { pressOn(target); }

  std::vector<QString> lines() const {
    std::vector<QString> out;
    for (const WaitRecord& w : waits) out.push_back(w.line);
    return out;
  }

  std::vector<std::string> cueNames(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& c : cues.cues)
      if (c.kind == kind) out.push_back(c.name);
    return out;
  }
};

}  // namespace testing_support
