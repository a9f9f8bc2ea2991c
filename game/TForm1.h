#pragma once
// The game's one window: every control of the layout, the game-wide flags, and the event
// handlers and conversation procedures that drive a play. Everything runs on the GUI thread.
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/PictureBox.h"
#include "platform/ReadOnlyEdit.h"
#include "platform/SpinField.h"
#include "platform/TextLabel.h"
#include "platform/core/Clock.h"
#include "platform/core/RandomSource.h"

class QPushButton;
class QTimer;

namespace game {

class CueSink;
class ProfileStore;

inline const QString kWindowCaption = QStringLiteral("ネオ・ポムリーくん占いステッキ　ver1.0");

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

enum class WaitKind { Click, YesNo };

// How a wait ended: answered by the player (a click, or yes or no in yesNoAnswer), or cut
// short because the window is closing, in which case the conversation says nothing more.
enum class WaitEnd { Answered, Closing };

// The window's caption, which is also the application's display name: the toolkit appends
// the display name to every window title that does not already end with it.
inline const QString kApplicationDisplayName = kWindowCaption;

class TForm1 : public QWidget {
 public:
  TForm1(GameEnvironment environment, GameDevices devices);
  ~TForm1() override;

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
  platform::FlatPanel* name_box;
  platform::FlatPanel* yes_click_box;
  platform::FlatPanel* sex_box;
  platform::FlatPanel* umare_box;
  platform::FlatPanel* kekka_box;
  platform::FlatPanel* start_box;
  platform::FlatPanel* item_box;
  QTimer* Timer1;
  QTimer* Timer2;
  // start_box
  platform::PictureBox* title_cg;
  platform::Hotspot* Image13;  // NEW GAME
  platform::Hotspot* Image14;  // compatibility reading
  QPushButton* Button1;        // hidden "NEW GAME" button
  // name_box
  platform::PictureBox* Image3;
  platform::Hotspot* Image4;                 // OK
  std::array<platform::Hotspot*, 19> nameTiles{};  // Image18 … Image36 in order
  platform::ReadOnlyEdit* name_l;
  // yes_click_box
  platform::PictureBox* Image5;
  platform::TextLabel* Label1;
  platform::TextLabel* Label2;
  platform::Hotspot* Image6;  // yes
  platform::Hotspot* Image7;  // no
  // sex_box
  platform::PictureBox* Image10;
  platform::TextLabel* Label3;
  platform::TextLabel* Label4;
  platform::Hotspot* Image11;  // male
  platform::Hotspot* Image12;  // female
  // umare_box
  platform::TextLabel* Label6;
  platform::TextLabel* Label7;
  platform::PictureBox* Image8;
  platform::Hotspot* Image9;  // OK
  platform::SpinField* umare_v;   // month
  platform::SpinField* umare_v2;  // day
  // kekka_box
  platform::PictureBox* Image15;
  platform::TextLabel* end_l;
  platform::TextLabel* end_l2;
  platform::TextLabel* end_l3;
  platform::Hotspot* Image16;  // leave the result
  platform::PictureBox* end_Cg;
  // item_box
  platform::TextLabel* item_l1;
  platform::TextLabel* item_l2;
  platform::TextLabel* item_l3;

  // --- game-wide flags ---
  int clickState = 0;   // 0 waiting, 1 clicked, −1 closing
  int yesNoAnswer = 0;  // 0 waiting, 1 yes, 2 no, −1 closing
  int gameMode = 0;     // 0 none yet, 1 single, 2 compat (own birthday), 3 compat (partner's)
  int tickCount = 0;    // 0..999
  std::int64_t nextStatusTime = 0;  // wall-clock milliseconds of the next status refresh

  // --- handlers ---
  void FormCreate();
  // Saves the profile; true when the window may close. A refused close (the save failed and
  // the player chose not to quit) leaves every flag and wait as it was.
  bool FormClose();
  void FormDestroy();
  void FormKeyDown(int key);
  void Timer1Timer();
  void Timer2Timer();
  void Button1Click();
  void Image14Click();
  void moji_lMouseDown();
  void cgMouseDown();
  void Image4MouseDown();
  void Image18MouseDown();
  void Image19MouseDown();
  void Image20MouseDown();
  void Image21MouseDown();
  void Image22MouseDown();
  void Image23MouseDown();
  void Image24MouseDown();
  void Image25MouseDown();
  void Image26MouseDown();
  void Image27MouseDown();
  void Image28MouseDown();
  void Image29MouseDown();
  void Image30MouseDown();
  void Image31MouseDown();
  void Image32MouseDown();
  void Image33MouseDown();
  void Image34MouseDown();
  void Image35MouseDown();
  void Image36MouseDown();
  void Label1MouseDown();
  void Label2MouseDown();
  void Label3MouseDown();
  void Label4MouseDown();
  void Image9MouseDown();
  void umare_v2Change();
  void item_l1MouseDown();
  void item_l2MouseDown();
  void item_l3MouseDown();
  void Image16MouseDown();

  // --- conversation ---
  void Say(const QString& text);
  WaitEnd WaitClick();
  WaitEnd WaitYesNo();
  void BeginSingleReading();
  void BeginCompatReading();
  void SexChosen();
  void OfferChoices();
  void SingleReading(const QString& word);
  void CompatReading();

  // --- status, data and cues ---
  void RefreshStatus();
  void LoadGameData();
  bool SaveProfile();
  void PlayWave0(const std::string& file);
  void PlayWave1(const std::string& file);
  void PlayWave2(const std::string& file);
  void PlayWave3(const std::string& file);
  void PlayMusic(const std::string& name);
  void ShowFace(const std::string& file);

  // Called as each wait begins, after its prompt is shown; tests answer waits through it.
  std::function<void(WaitKind)> onWaitBegins;

  std::filesystem::path soundPath(const std::string& file) const;
  std::filesystem::path picturePath(const std::string& file) const;
  platform::Clock& clock() const { return clock_; }
  platform::RandomSource& random() const { return random_; }
  platform::RandomSource& trembleRandom() const { return tremble_; }
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
  platform::Clock& clock_;
  platform::RandomSource& random_;
  platform::RandomSource& tremble_;
  CueSink& cues_;
  std::unique_ptr<ProfileStore> profileStore_;
  bool closing_ = false;
  bool decidingClose_ = false;  // the save's question is open; a second close request waits
  int yesNoChoice_ = 0;         // keyboard choice on the yes/no panel: 0 none, 1 yes, 2 no
  // Start-up reports, shown over the window once it is on screen.
  struct PendingBox {
    bool error;
    QString text;
  };
  std::vector<PendingBox> startupBoxes_;
  bool shownOnce_ = false;

  void buildWindowControls();
  void buildTitlePanel();
  void buildNamePanel();
  void buildYesNoPanel();
  void buildSexPanel();
  void buildBirthdayPanel();
  void buildResultPanel();
  void buildChoicePanel();
  void runStartupStep(const std::function<void()>& step);
  void showStartupBoxes();
  void dismissOpenBoxes();
  bool playKey(int key);
  void highlightYesNo(int choice);
  void onLetterTile(int tile);
  void onChoice(int slot, platform::TextLabel* label);
  void playWave(int channel, const std::string& file);
  void grantItem(std::int32_t& flag);
};

}  // namespace game
