#pragma once
// The game's one window: the layout and its controls, the two timers and the boxes. It
// forwards the player's input to its GameEngine and shows what the engine tells it
// (GameView). Everything runs on the GUI thread.
#include <QWidget>
#include <memory>

#include "game/core/GameEngine.h"
#include "game/core/QuietFailureLog.h"
#include "game/view/BirthdayPanel.h"
#include "game/view/ChoicePanel.h"
#include "game/view/GameEnvironment.h"
#include "game/view/NamePanel.h"
#include "game/view/ResultPanel.h"
#include "game/view/SexPanel.h"
#include "game/view/StartupNotices.h"
#include "game/view/TitlePanel.h"
#include "game/view/YesNoPanel.h"
#include "platform/PictureBox.h"
#include "platform/TextLabel.h"

class QTimer;

namespace game {

class TForm1 : public QWidget, public GameView {
 public:
  TForm1(GameEnvironment environment, GameDevices devices);
  ~TForm1() override;

  GameEngine& engine() { return *engine_; }

  // --- controls on the window, in painting order ---
  platform::PictureBox* Image2;   // status panel frame
  platform::PictureBox* Image17;  // decoration below the speech bar
  platform::PictureBox* Image1;   // speech bar
  platform::TextLabel* moji_l;    // the speech line
  platform::PictureBox* bak;      // portrait source, off-screen
  platform::TextLabel* state_l;   // status text
  platform::PictureBox* cg;       // the visible portrait
  platform::PictureBox* t1;       // title frames, hidden
  platform::PictureBox* t2;
  platform::PictureBox* t3;
  platform::TextLabel* click_l;   // "CLICK HERE"
  NamePanel* name_box;
  YesNoPanel* yes_click_box;
  SexPanel* sex_box;
  BirthdayPanel* umare_box;
  ResultPanel* kekka_box;
  TitlePanel* start_box;
  ChoicePanel* item_box;
  QTimer* Timer1;
  QTimer* Timer2;

  // Picture failures (a portrait, a result picture) told once on standard error.
  QuietFailureLog pictureFailures;

  // --- handlers ---
  void FormCreate();
  // Saves the profile; true when the window may close. A refused close (the save failed and
  // the player chose not to quit) leaves every flag and wait as it was.
  bool FormClose();
  void FormDestroy();
  void FormKeyDown(int key);
  void Timer1Timer() { engine_->Timer1Timer(); }
  void Timer2Timer();
  void moji_lMouseDown() { engine_->click(); }
  void cgMouseDown() { engine_->faceClicked(); }

  // --- GameView ---
  void showLine(const std::string& utf8) override;
  void showFace(const std::string& file) override;
  void setFaceSourceSide(int pixels) override;
  void showPanel(Panel panel) override;
  void showClickPrompt(bool shown) override;
  void showStatus(const StatusValues& status) override;
  void showName(const std::string& utf8) override;
  void showChoices(const std::array<std::string, 3>& words) override;
  void showResult(const ResultSheet& sheet) override;
  void ask(const std::string& utf8) override;
  void tell(const std::string& utf8) override;
  void closeWindow() override { close(); }

  std::filesystem::path picturePath(const std::string& file) const;
  // True once a close has been accepted.
  bool closing() const { return closing_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  GameEnvironment env_;
  std::unique_ptr<GameEngine> engine_;
  bool closing_ = false;
  bool decidingClose_ = false;  // the save's question is open; a second close request waits
  StartupNotices startupNotices_{*this, [this] { return closing_; }};
  bool shownOnce_ = false;

  void buildWindowControls();
  void dismissOpenBoxes();
  bool SaveProfile();
  bool playKey(int key);
  void loadPicture(platform::PictureBox* box, const std::string& file);
  void openBox(const std::string& utf8, bool question);
  void announceOpening(platform::FlatPanel& opened);
};

}  // namespace game
