#pragma once
// A real TForm1 on the offscreen platform with a temporary asset folder, a manual clock,
// scripted randomness, recorded cues and scripted message boxes. Waits are answered by the
// script as they begin, through real mouse presses on the controls.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/core/Profile.h"
#include "game/core/ProfileFile.h"
#include "game/view/TForm1.h"
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
  // A box that would not block: answered at once, as confirm and inform would be.
  void open(QWidget* parent, const QString& text, bool question,
            std::function<void(platform::Answer)> done) override {
    if (question)
      done(confirm(parent, text, platform::Answer::Yes));
    else
      inform(parent, text), done(platform::Answer::Yes);
  }
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
    game::Wait kind;
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
    platform::setDialogs(&dialogs);
    // Every test starts as a mouse player: keys of an earlier test leave the keyboard in use.
    QWidget idle;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&idle, &press);
  }

  void TearDown() override {
    // An exception that reached a handler shows an error box; after start-up none may appear.
    if (form && !allowErrorsAfterOpen) {
      auto errors = dialogs.texts("error");
      for (std::size_t i = errorsAtOpen; i < errors.size(); ++i)
        ADD_FAILURE() << "error box: " << errors[i].toStdString();
    }
    if (form) {
      form->engine().onWaitBegins = nullptr;
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
    form->engine().onWaitBegins = [this](game::Wait kind) { answerWait(kind); };
  }

  game::tmy& profile() { return form->engine().profile(); }

  // Opens the window and plays by mouse up to the given panel of a single reading (the name
  // Ａ, female) or, with compat, to the compatibility reading's first birthday; the waits
  // and cues of the way there are forgotten.
  void openAt(game::Panel panel, bool compat = false) {
    openForm();
    steps = {Step::ClickSpeech};
    pressOn(compat ? form->start_box->Image14 : form->start_box->Image13);
    if (panel != game::Panel::Name && !compat) {
      pressOn(form->name_box->nameTiles[0]);
      steps = {Step::Yes};
      pressOn(form->name_box->Image4);
      if (panel == game::Panel::Birthday) {
        steps = {Step::ClickSpeech};
        pressOn(form->sex_box->Image12);
      }
    }
    steps.clear();
    waits.clear();
    cues.cues.clear();
  }

  // Opens the window, then makes p the profile the game works with (as if loaded).
  void openFormWith(const game::tmy& p) {
    openForm();
    profile() = p;
  }

  void answerWait(game::Wait kind) {
    if (kind != game::Wait::Click && kind != game::Wait::YesNo) return;  // boxes answer themselves
    waits.push_back({kind, form->moji_l->caption()});
    Step step = Step::ClickSpeech;
    if (!steps.empty()) {
      step = steps.front();
      steps.pop_front();
    } else if (kind == game::Wait::YesNo) {
      ADD_FAILURE() << "unexpected yes/no wait at: " << form->moji_l->caption().toStdString();
      step = Step::Close;
    }
    switch (step) {
      case Step::ClickSpeech: clickSpeech(form->moji_l); break;
      case Step::Yes: pressOn(form->yes_click_box->Image6); break;
      case Step::No: pressOn(form->yes_click_box->Image7); break;
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
