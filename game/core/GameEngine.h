#pragma once
// The game without its window: the profile, the tables, the generators, the clock, the
// flags of a play and the conversation under way. The window forwards the player's input
// here and shows what the engine tells its GameView.
//
// A conversation is a Task (see Task.h and Conversation.h). At most one runs at a time, the
// root; it suspends at each wait and is resumed by the input call that answers the wait.
// cancel() ends it in one place, by destroying the root frame: when a conversation is on the
// stack (the close came from inside it), the frame is destroyed as soon as control is back
// in the engine, so no frame is ever destroyed while it runs.
//
// Single-threaded: every call on the thread that made the engine. No call throws except
// LoadGameData and the input calls, which pass on a conversation's own failure.
#include <array>
#include <coroutine>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/core/CueSink.h"
#include "game/core/GameView.h"
#include "game/core/PlayState.h"
#include "game/core/Profile.h"
#include "game/core/ProfileStore.h"
#include "game/core/Tables.h"
#include "game/core/Task.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

namespace game {

class CompatReadingScript;
class SingleReadingScript;

// What the engine plays with. The caller keeps each object alive longer than the engine.
struct EngineDevices {
  platform::Clock& clock;
  platform::RandomSource& random;   // the readings' draws
  platform::RandomSource& tremble;  // the portrait's tremble (see GameRandom)
  CueSink& cues;
};

class GameEngine {
 public:
  // nameListFile: dat/name.dat. The view must outlive the engine.
  GameEngine(ProfileStore store, std::filesystem::path nameListFile, EngineDevices devices,
             GameView& view);
  ~GameEngine();
  GameEngine(const GameEngine&) = delete;
  GameEngine& operator=(const GameEngine&) = delete;

  // --- start-up and closing ---
  // Loads my.dat (its notices appended to `notices`), the name list and the built-in tables.
  // Throws when name.dat cannot be opened, after everything else is done.
  void LoadGameData(std::vector<std::string>& notices);
  ProfileStore::SaveOutcome SaveProfile();
  // Ends the running conversation, if any (see above). Input that arrives later is ignored.
  void cancel();
  // F1: forgets the counts, the name, the birthday and the treasures.
  void resetData();

  // --- the player's input ---
  void startSingleReading();  // the title's NEW GAME
  void startCompatReading();  // the title's compatibility reading
  void click();               // the speech area
  void faceClicked();
  void answer(Answer a);      // the yes/no panel
  void letterTile(int tile);  // the name panel's tiles 0…18 (1 erases)
  void nameEntered();         // the name panel's OK
  void sexChosen(std::int32_t sex);  // 1 male, 2 female
  void birthdayChanged();     // a birthday field moved
  void birthdayEntered(int month, int day);
  void choose(int slot);      // 1, 2 or 3
  void leaveResult();
  void boxAnswered(Answer a);  // the box of GameView::ask or tell was closed
  // The 50 ms status timer: the status every 80 ms of wall time, and the name's length guard.
  void Timer1Timer();
  // Advances the counter the title animation and the status refresh share; gives its value.
  int nextTick();

  // --- what a conversation uses (see Conversation) ---
  void Say(const std::string& utf8);
  void RefreshStatus();
  void ShowFace(const std::string& file);
  void PlayWave0(const std::string& file) { playWave(0, file); }
  void PlayWave1(const std::string& file) { playWave(1, file); }
  void PlayWave2(const std::string& file) { playWave(2, file); }
  void PlayWave3(const std::string& file) { playWave(3, file); }
  void PlayMusic(const std::string& name);
  void openSlots(const std::string& file);
  void releaseSlots();
  // Suspends the calling conversation until `kind` is answered: true to suspend, false when
  // the answer came while the wait began (the conversation then goes straight on).
  bool beginWait(Wait kind, std::coroutine_handle<> waiter);
  // After the close: the engine asks the view to close once the conversation has yielded.
  void requestClose() { closeRequested_ = true; }
  void setMode(GameMode mode) { mode_ = mode; }
  // The text of the box the next Wait::Box opens: a Yes/No question, or a notice.
  void prepareBox(const std::string& utf8, bool question);

  // --- state ---
  tmy& profile() { return profile_; }
  Tables& tables() { return tables_; }
  platform::RandomSource& random() { return random_; }
  platform::Clock& clock() { return clock_; }
  GameView& view() { return view_; }
  GameMode mode() const { return mode_; }
  int tickCount() const { return tickCount_; }
  Wait waiting() const { return waiting_; }
  bool running() const { return root_.valid(); }
  const std::string& typedName() const { return typedName_; }
  void setTypedName(const std::string& utf8);
  const std::array<std::string, 3>& offeredWords() const { return offered_; }
  void offerWords(const std::array<std::string, 3>& words);
  Answer lastAnswer() const { return answer_; }
  std::int32_t lastSex() const { return sex_; }
  int lastMonth() const { return month_; }
  int lastDay() const { return day_; }
  int lastSlot() const { return slot_; }

  // Called as each wait begins, after its prompt is shown; tests answer waits through it.
  std::function<void(Wait)> onWaitBegins;

 private:
  enum class ClickState { Waiting, Clicked };

  void start(Task<void> script);
  // Resumes a conversation; afterwards, once no conversation is on the stack, carries out a
  // cancel or a close the conversation asked for.
  void drive(std::coroutine_handle<> handle);
  void settle();
  // Ends the wait for `kind` with the input just stored; false when nothing waited for it.
  bool endWait(Wait kind);
  void playWave(int channel, const std::string& file);

  ProfileStore store_;
  std::filesystem::path nameListFile_;
  platform::Clock& clock_;
  platform::RandomSource& random_;
  platform::RandomSource& tremble_;
  CueSink& cues_;
  GameView& view_;

  tmy profile_;
  Tables tables_;
  GameMode mode_ = GameMode::None;
  int tickCount_ = 0;                // 0..999
  std::int64_t nextStatusTime_ = 0;  // wall-clock milliseconds of the next status refresh
  ClickState clickState_ = ClickState::Waiting;
  std::string typedName_;
  std::array<std::string, 3> offered_;

  std::unique_ptr<SingleReadingScript> single_;
  std::unique_ptr<CompatReadingScript> compat_;
  Task<void> root_;
  Wait waiting_ = Wait::None;
  std::coroutine_handle<> waiter_;
  int depth_ = 0;                // conversations on the stack
  bool beginning_ = false;       // inside beginWait
  bool answeredEarly_ = false;   // the wait being begun was answered at once
  bool cancelRequested_ = false;
  bool closeRequested_ = false;
  std::string boxText_;
  bool boxIsQuestion_ = false;
  // The last input of each kind, read by the wait that it answered.
  Answer answer_ = Answer::No;
  std::int32_t sex_ = 0;
  int month_ = 1, day_ = 1, slot_ = 0;
};

}  // namespace game
