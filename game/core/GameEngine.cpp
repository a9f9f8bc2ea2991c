#include "game/core/GameEngine.h"

#include <stdexcept>
#include <utility>

#include "game/core/CompatReadingScript.h"
#include "game/core/LetterTile.h"
#include "game/core/ProfileFile.h"
#include "game/core/SingleReadingScript.h"
#include "platform/core/Cp932.h"

namespace game {
FaceRect portraitJitter(platform::RandomSource& random) {
  const int b = random.Random(6);
  const int r = random.Random(6);
  const int t = random.Random(5);
  const int l = random.Random(5);
  return {-l, -t, 150 + r + l, 150 + b + t};
}

GameEngine::GameEngine(ProfileStore store, std::filesystem::path nameListFile,
                       EngineDevices devices, GameView& view)
    : store_(std::move(store)),
      nameListFile_(std::move(nameListFile)),
      clock_(devices.clock),
      random_(devices.random),
      tremble_(devices.tremble),
      cues_(devices.cues),
      view_(view),
      single_(std::make_unique<SingleReadingScript>(*this)),
      compat_(std::make_unique<CompatReadingScript>(*this)) {}

GameEngine::~GameEngine() {
  onWaitBegins = nullptr;
  root_.reset();
}

void GameEngine::LoadGameData(std::vector<std::string>& notices) {
  ProfileStore::LoadOutcome outcome = store_.load(profile_);
  notices.insert(notices.end(), outcome.notices.begin(), outcome.notices.end());
  NameListResult names = readNameList(nameListFile_, tables_.nameList);
  fillBuiltInTables(tables_);
  if (!names.opened)
    throw std::runtime_error("Cannot open file \"" + nameListFile_.string() + "\". " + names.reason);
}

ProfileStore::SaveOutcome GameEngine::SaveProfile() { return store_.save(profile_); }

void GameEngine::cancel() {
  if (waiting_ == Wait::Click) view_.showClickPrompt(false);
  waiting_ = Wait::None;
  waiter_ = {};
  if (depth_ > 0)
    cancelRequested_ = true;  // the conversation is on the stack: see settle()
  else
    root_.reset();
}

void GameEngine::resetData() {
  profile_.readingCount = 0;
  profile_.compatCount = 0;
  profile_.playerName.clear();
  profile_.birthMonth = 0;
  profile_.birthDay = 0;
  profile_.ownsUniverse = 0;
  profile_.ownsSeekingBrain = 0;
  profile_.ownsHappiness = 0;
}

void GameEngine::start(Task<void> script) {
  root_ = std::move(script);
  drive(root_.handle());
}

void GameEngine::drive(std::coroutine_handle<> handle) {
  ++depth_;
  handle.resume();
  --depth_;
  if (depth_ == 0) settle();
}

void GameEngine::settle() {
  if (cancelRequested_) {
    cancelRequested_ = false;
    root_.reset();
  } else if (root_.done()) {
    Task<void> finished = std::move(root_);
    finished.rethrowIfFailed();
  }
  if (closeRequested_) {
    closeRequested_ = false;
    view_.closeWindow();
  }
}

bool GameEngine::beginWait(Wait kind, std::coroutine_handle<> waiter) {
  waiting_ = kind;
  waiter_ = waiter;
  answeredEarly_ = false;
  beginning_ = true;
  switch (kind) {
    case Wait::Click:
      clickState_ = ClickState::Waiting;
      view_.showClickPrompt(true);
      break;
    case Wait::YesNo: view_.showPanel(Panel::YesNo); break;
    default: break;  // the conversation showed the panel, or the box opens below
  }
  if (kind == Wait::Box) {
    if (boxIsQuestion_)
      view_.ask(boxText_);
    else
      view_.tell(boxText_);
  }
  if (onWaitBegins) onWaitBegins(kind);
  beginning_ = false;
  // Cancelled while the wait began: stay suspended; settle() destroys the frame.
  if (cancelRequested_) return true;
  return !answeredEarly_;
}

void GameEngine::prepareBox(const std::string& utf8, bool question) {
  boxText_ = utf8;
  boxIsQuestion_ = question;
}

bool GameEngine::endWait(Wait kind) {
  if (waiting_ != kind) return false;
  waiting_ = Wait::None;
  switch (kind) {
    case Wait::Click: view_.showClickPrompt(false); break;
    case Wait::YesNo: view_.showPanel(Panel::None); break;
    default: break;
  }
  if (beginning_) {
    answeredEarly_ = true;
  } else {
    drive(std::exchange(waiter_, {}));
  }
  return true;
}

void GameEngine::startSingleReading() {
  if (running()) return;
  PlayWave2("start.wav");
  view_.showPanel(Panel::None);
  start(single_->BeginSingleReading());
}

void GameEngine::startCompatReading() {
  if (running()) return;
  PlayWave2("start.wav");
  view_.showPanel(Panel::None);
  start(compat_->BeginCompatReading());
}

void GameEngine::click() {
  RefreshStatus();
  if (clickState_ == ClickState::Clicked) return;
  PlayWave1("1.wav");
  clickState_ = ClickState::Clicked;
  endWait(Wait::Click);
}

void GameEngine::faceClicked() {
  ShowFace("kao3.bmp");
  Say("むきゃっ、顔さわんな！！ウザっ！！");
}

void GameEngine::answer(Answer a) {
  if (waiting_ != Wait::YesNo) return;
  PlayWave0("2.wav");
  answer_ = a;
  endWait(Wait::YesNo);
}

void GameEngine::letterTile(int tile) {
  if (tile < 0 || tile >= static_cast<int>(letterTiles().size())) return;
  const LetterTile& t = letterTiles()[static_cast<std::size_t>(tile)];
  PlayWave0(t.sound);
  if (!t.letter) {  // the erase tile: drop the last letter (the last two CP932 bytes)
    if (typedName_.empty()) return;
    const std::size_t bytes = platform::cp932Length(typedName_);
    setTypedName(platform::cp932Prefix(typedName_, bytes >= 2 ? bytes - 2 : 0));
    return;
  }
  // No length check here: the timer's name guard trims an over-long name.
  setTypedName(typedName_ + t.letter);
  if (t.remark) {
    view_.showLine(t.remark);
    if (t.face) ShowFace(t.face);
  }
}

void GameEngine::setTypedName(const std::string& utf8) {
  typedName_ = utf8;
  view_.showName(typedName_);
}

void GameEngine::nameEntered() { endWait(Wait::Name); }

void GameEngine::sexChosen(std::int32_t sex) {
  if (waiting_ != Wait::Sex) return;
  sex_ = sex;
  endWait(Wait::Sex);
}

void GameEngine::birthdayChanged() { PlayWave1("key.wav"); }

void GameEngine::birthdayEntered(int month, int day) {
  if (waiting_ != Wait::Birthday) return;
  month_ = month;
  day_ = day;
  endWait(Wait::Birthday);
}

void GameEngine::offerWords(const std::array<std::string, 3>& words) {
  offered_ = words;
  view_.showChoices(offered_);
}

void GameEngine::choose(int slot) {
  if (waiting_ != Wait::Choice || slot < 1 || slot > 3) return;
  slot_ = slot;
  endWait(Wait::Choice);
}

void GameEngine::leaveResult() { endWait(Wait::Result); }

void GameEngine::boxAnswered(Answer a) {
  if (waiting_ != Wait::Box) return;
  answer_ = a;
  endWait(Wait::Box);
}

int GameEngine::nextTick() {
  tickCount_ += 1;
  if (tickCount_ > 999) tickCount_ = 0;
  return tickCount_;
}

void GameEngine::Timer1Timer() {
  const std::int64_t now = clock_.wallMilliseconds();
  if (now > nextStatusTime_) {
    nextStatusTime_ = now + 80;
    RefreshStatus();
  }
  if (platform::cp932Length(typedName_) > kMaxNameBytes) {
    PlayWave0("no.wav");
    ShowFace("kao3.bmp");
    setTypedName(platform::cp932Prefix(typedName_, kMaxNameBytes));
    view_.showLine("それ以上書いたらはみでるんだよ！！");
  }
}

void GameEngine::Say(const std::string& utf8) { view_.showLine(utf8); }

void GameEngine::RefreshStatus() {
  nextTick();
  const platform::LocalDate today = clock_.today();
  view_.showStatus({mode_, profile_, today, portraitJitter(tremble_)});
}

void GameEngine::ShowFace(const std::string& file) {
  try {
    cues_.showingFace(file);
  } catch (...) {
  }
  view_.showFace(file);
}

void GameEngine::playWave(int channel, const std::string& file) {
  try {
    cues_.playWave(channel, file);
  } catch (...) {
  }
}

void GameEngine::PlayMusic(const std::string& name) {
  if (name.empty()) return;
  try {
    cues_.playMusic(name);
  } catch (...) {
  }
}

void GameEngine::openSlots(const std::string& file) {
  try {
    cues_.openSlots(file);
  } catch (...) {
  }
}

void GameEngine::releaseSlots() {
  try {
    cues_.releaseSlots();
  } catch (...) {
  }
}

}  // namespace game
