#include "game/view/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "assets/EmbeddedPictures.h"
#include "game/core/ProfileStore.h"
#include "game/view/Controls.h"
#include "game/view/StatusPanel.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"
#include "platform/Pictures.h"

namespace game {

using platform::kFixedGothic;
using platform::kProportionalGothic;
using platform::layoutFont;

TForm1::TForm1(GameEnvironment environment, GameDevices devices)
    : QWidget(nullptr), env_(std::move(environment)) {
  engine_ = std::make_unique<GameEngine>(
      ProfileStore(env_.profilePrimary.empty() ? env_.assetRoot / "dat" / "my.dat" : env_.profilePrimary,
                   env_.profileFallback, env_.profileReadOnly),
      env_.assetRoot / "dat" / "name.dat",
      EngineDevices{devices.clock, devices.random, devices.tremble, devices.cues}, *this);

  // A fixed dialog frame: a close box, no minimise or maximise box, not resizable.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  // The title the window system shows must be the caption alone: the toolkit appends the
  // application's display name unless the title already ends with it.
  if (!kWindowCaption.endsWith(QGuiApplication::applicationDisplayName()))
    QGuiApplication::setApplicationDisplayName(kApplicationDisplayName);
  setWindowTitle(kWindowCaption);
  setFixedSize(481, 349);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, kFuchsia);
  setPalette(p);
  setFont(layoutFont(kProportionalGothic, 12));
  setFocusPolicy(Qt::StrongFocus);
  QImage icon = assets::embeddedPicture("icon");
  if (!icon.isNull()) setWindowIcon(QIcon(QPixmap::fromImage(icon)));

  buildWindowControls();

  Timer1 = new QTimer(this);
  Timer1->setInterval(50);
  connect(Timer1, &QTimer::timeout, this, [this] { platform::guarded(this, [this] { Timer1Timer(); }); });
  Timer2 = new QTimer(this);
  Timer2->setInterval(50);
  connect(Timer2, &QTimer::timeout, this, [this] { platform::guarded(this, [this] { Timer2Timer(); }); });

  platform::guarded(this, [this] { FormCreate(); });
  // Centred on the screen when first shown.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (env_.startTimers) {
    Timer1->start();
    Timer2->start();
  }
}

TForm1::~TForm1() {
  FormDestroy();
  // The engine goes first: a conversation it still holds may not outlive the panels.
  engine_.reset();
}

void TForm1::buildWindowControls() {
  auto speechHandler = [this] { moji_lMouseDown(); };

  Image2 = picture(this, {300, 4, 181, 345});
  Image2->setStretch(true);
  Image2->setPicture(assets::embeddedPicture("P1"));
  Image2->onMouseDown = speechHandler;

  Image17 = picture(this, {-2, 201, 310, 150});
  Image17->setPicture(assets::embeddedPicture("P2"));
  Image17->setTransparent(true);
  Image17->onMouseDown = speechHandler;

  Image1 = picture(this, {0, 152, 301, 53});
  Image1->setPicture(assets::embeddedPicture("P3"));

  moji_l = label(this, {12, 161, 277, 40}, QStringLiteral("moji_l"),
                 layoutFont(kFixedGothic, 12, true), kWhite);
  moji_l->setWordWrap(true);
  moji_l->onMouseDown = speechHandler;

  bak = picture(this, {504, 32, 64, 64});

  state_l = label(this, {316, 20, 153, 217}, QStringLiteral("state_l"),
                  layoutFont(kProportionalGothic, 12, true), kWhite);
  state_l->setWordWrap(true);
  state_l->onMouseDown = speechHandler;

  cg = picture(this, {0, 0, 150, 150});
  cg->onMouseDown = [this] { cgMouseDown(); };

  t1 = picture(this, {564, 12, 37, 41});
  t2 = picture(this, {556, 40, 37, 41});
  t3 = picture(this, {564, 72, 37, 41});
  t1->hide();
  t2->hide();
  t3->hide();

  click_l = label(this, {104, 320, 99, 16}, QStringLiteral("CLICK HERE"),
                  layoutFont(kProportionalGothic, 16, true, true), QColor(0xFF, 0x00, 0x80));
  click_l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  click_l->setWordWrap(true);
  click_l->onMouseDown = speechHandler;
  // Shown only while a line waits for its click: a screen reader can press it there.
  click_l->setPressable(true);
  click_l->hide();

  // Panels are child windows: above every picture and label of the window.
  name_box = new NamePanel(this, *engine_);
  yes_click_box = new YesNoPanel(this, *engine_);
  sex_box = new SexPanel(this, *engine_);
  umare_box = new BirthdayPanel(this, *engine_);
  kekka_box = new ResultPanel(this, *engine_);
  start_box = new TitlePanel(this, *engine_);
  item_box = new ChoicePanel(this, *engine_);
  for (QWidget* panel : {static_cast<QWidget*>(name_box), static_cast<QWidget*>(yes_click_box),
                         static_cast<QWidget*>(sex_box), static_cast<QWidget*>(umare_box),
                         static_cast<QWidget*>(kekka_box), static_cast<QWidget*>(item_box)})
    panel->hide();
}

void TForm1::FormCreate() {
  // Five wave slots from "1.wav"; the sink swallows a failure and leaves the rest empty.
  engine_->openSlots("1.wav");
  startupNotices_.run([this] {
    std::vector<std::string> notices;
    auto tellNotices = [&] {
      for (const std::string& n : notices) startupNotices_.notice(QString::fromStdString(n));
    };
    try {
      engine_->LoadGameData(notices);
    } catch (...) {
      tellNotices();  // before the failure's own report
      throw;
    }
    tellNotices();
  });
  startupNotices_.run([this] { t1->setPicture(platform::loadPicture(picturePath("1.jpg"))); });
  startupNotices_.run([this] { t2->setPicture(platform::loadPicture(picturePath("2.jpg"))); });
  startupNotices_.run([this] { t3->setPicture(platform::loadPicture(picturePath("3.jpg"))); });
  start_box->title_cg->setGeometry(0, 0, start_box->width(), start_box->height());
  bak->resize(64, 64);
  update();
  engine_->PlayWave1("guitar.wav");
  engine_->PlayMusic("gos.mid");
}

bool TForm1::SaveProfile() {
  ProfileStore::SaveOutcome outcome = engine_->SaveProfile();
  for (const std::string& notice : outcome.notices)
    platform::dialogs().inform(this, QString::fromStdString(notice));
  if (!outcome.ok) {
    // Nothing the player typed may be lost without asking: closing now would drop it. No is
    // the default, so a reflexive Return keeps the game (and what was done) open.
    platform::Answer answer = platform::dialogs().confirm(
        this,
        QString::fromStdString(outcome.error) + QStringLiteral("\n\n保存しないで終了しますか？"),
        platform::Answer::No);
    return answer == platform::Answer::Yes;
  }
  return true;
}

bool TForm1::FormClose() {
  if (closing_) return true;
  // A second request (the close box again, a signal) while the save's question is open is
  // left to that question's answer.
  if (decidingClose_) return false;
  decidingClose_ = true;
  const bool saved = SaveProfile();
  decidingClose_ = false;
  if (!saved) return false;  // refused: the game goes on exactly where it was
  closing_ = true;
  engine_->cancel();
  return true;
}

void TForm1::FormDestroy() {
  // Slots 4, 3, 2, 1, 0, then any older wave still held; nothing is reported.
  engine_->releaseSlots();
}

void TForm1::FormKeyDown(int key) {
  if (key != Qt::Key_F1) return;
  // Wherever the keyboard is in the window, except in a birthday field, which keeps its keys.
  QWidget* focus = QApplication::focusWidget();
  if (focus && (focus == umare_box->umare_v || focus == umare_box->umare_v2 ||
                umare_box->umare_v->isAncestorOf(focus) || umare_box->umare_v2->isAncestorOf(focus)))
    return;
  // A handler of the event loop, never of a conversation: the box may block, and a close
  // accepted meanwhile ends the suspended conversation without running any of it.
  platform::Answer answer = platform::dialogs().confirm(
      this, QStringLiteral("データを初期化してしまいます。よろしいですか？普通はいいえを押して下さい"));
  // A close accepted while the box was open dismissed it: that is no consent.
  if (answer == platform::Answer::No || closing_) return;
  engine_->resetData();
  platform::dialogs().inform(this, QStringLiteral("Done...."));
}

void TForm1::Timer2Timer() {
  if (start_box->isHidden()) return;
  const platform::PictureBox* frames[3] = {t1, t2, t3};
  const QImage& frame = frames[engine_->nextTick() % 3]->picture();
  start_box->title_cg->drawAt(QPoint(0, 0), frame);
}

std::filesystem::path TForm1::picturePath(const std::string& file) const {
  return env_.assetRoot / "cg" / file;
}

void TForm1::loadPicture(platform::PictureBox* box, const std::string& file) {
  try {
    box->setPicture(platform::loadPicture(picturePath(file)));
  } catch (const std::exception& e) {
    pictureFailures.report(QuietFailure::Picture, "\"" + picturePath(file).string() + "\"", e.what());
    throw;
  } catch (...) {
    pictureFailures.report(QuietFailure::Picture, "\"" + picturePath(file).string() + "\"",
                           "unknown error");
    throw;
  }
}

void TForm1::showLine(const std::string& utf8) {
  moji_l->setCaption(QString::fromStdString(utf8));
  moji_l->announce();  // a screen reader says each line once
}

void TForm1::showFace(const std::string& file) {
  try {
    loadPicture(bak, file);
  } catch (...) {
    // The previous face stays.
  }
}

void TForm1::setFaceSourceSide(int pixels) { bak->resize(pixels, pixels); }

void TForm1::showPanel(Panel panel) {
  yes_click_box->clearMark();
  const std::pair<Panel, platform::FlatPanel*> panels[] = {
      {Panel::Name, name_box},     {Panel::YesNo, yes_click_box}, {Panel::Sex, sex_box},
      {Panel::Birthday, umare_box}, {Panel::Result, kekka_box},    {Panel::Title, start_box},
      {Panel::Choices, item_box}};
  platform::FlatPanel* opened = nullptr;
  for (const auto& [shownFor, box] : panels) {
    if (shownFor == panel && box->isHidden()) opened = box;
    box->setVisible(shownFor == panel);
  }
  if (panel == Panel::Birthday) umare_box->takeKeyboard();
  if (opened) announceOpening(*opened);
}

void TForm1::announceOpening(platform::FlatPanel& opened) {
  // A panel that opens is said once, by its name: the prompt or heading drawn on its picture
  // (the result sheet adds its score, the first thing a player looks at). The yes/no, sex and
  // word panels have no name: what they ask is the speech line said as they open, already
  // announced, and saying it again would only double it. A named panel's words differ from
  // the line of the same moment and follow it: Orca queues notifications as messages rather
  // than cutting the line off. When the keyboard moved into the panel as it opened (the month
  // field, for a keyboard player), Orca already says the panel's name as the context of the
  // newly focused field, so the panel is not announced a second time.
  if (opened.isAncestorOf(QApplication::focusWidget())) return;
  QString words = opened.accessibleName();
  if (&opened == kekka_box) words += QLatin1Char(' ') + kekka_box->end_l2->spokenText();
  if (!words.isEmpty()) opened.announce(words);
}

void TForm1::showClickPrompt(bool shown) {
  click_l->setVisible(shown);
  if (shown) click_l->announce();
}

void TForm1::showStatus(const StatusValues& status) {
  state_l->setCaption(statusText(status.mode, status.profile, status.today,
                                 state_l->fontMetrics(), state_l->contentsRect().width()));
  // Set only on a change: each setting is an event on the accessibility bus, and the status
  // refreshes many times a second.
  const QString spoken = statusSpeech(status.mode, status.profile, status.today);
  if (state_l->accessibleName() != spoken) state_l->setAccessibleName(spoken);
  QImage source = bak->picture();
  if (source.isNull()) {
    source = QImage(bak->size(), QImage::Format_RGB32);
    source.fill(Qt::white);
  }
  const FaceRect& j = status.jitter;
  cg->stretchCopy(QRect(j.x, j.y, j.width, j.height), source, QRect(0, 0, bak->width(), bak->height()));
}

void TForm1::showName(const std::string& utf8) { name_box->name_l->setText(QString::fromStdString(utf8)); }

void TForm1::showChoices(const std::array<std::string, 3>& words) {
  item_box->item_l1->setCaption(QString::fromStdString(words[0]));
  item_box->item_l2->setCaption(QString::fromStdString(words[1]));
  item_box->item_l3->setCaption(QString::fromStdString(words[2]));
}

void TForm1::showResult(const ResultSheet& sheet) {
  kekka_box->showSheet(sheet);
  // A missing or broken result picture must not strand the player: the sheet is shown
  // without it and the rest of the step runs.
  try {
    loadPicture(kekka_box->end_Cg, sheet.pictureStem + ".bmp");
  } catch (...) {
    kekka_box->end_Cg->setPicture(QImage());
  }
}

void TForm1::openBox(const std::string& utf8, bool question) {
  // Not modal in the blocking sense: the conversation stays suspended, never on the stack,
  // while the box is open; a close dismisses the box (dismissOpenBoxes) after the engine
  // has ended the conversation, so the late answer finds nothing waiting.
  platform::dialogs().open(this, QString::fromStdString(utf8), question,
                           [this](platform::Answer a) {
                             platform::guarded(this, [this, a] {
                               engine_->boxAnswered(a == platform::Answer::Yes ? Answer::Yes
                                                                               : Answer::No);
                             });
                           });
}

void TForm1::ask(const std::string& utf8) { openBox(utf8, true); }
void TForm1::tell(const std::string& utf8) { openBox(utf8, false); }

void TForm1::closeEvent(QCloseEvent* event) {
  // A close that fails with an exception goes ahead, as the toolkit's default would: the
  // error box has told the player, and a window that can never close is worse.
  bool close = true;
  platform::guarded(this, [&] { close = FormClose(); });
  if (!close) {
    event->ignore();
    return;
  }
  event->accept();
  dismissOpenBoxes();
}

void TForm1::dismissOpenBoxes() {
  // A box still open over the window (a start-up notice, the F1 question, …) would keep
  // the program alive after its window is gone; it is answered as if dismissed, and the
  // code that opened it sees closing() and says nothing more.
  for (QDialog* box : findChildren<QDialog*>())
    if (box->isVisible()) box->reject();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  bool used = false;
  platform::guarded(this, [&] {
    FormKeyDown(event->key());
    used = !event->isAutoRepeat() && playKey(event->key());
  });
  if (used)
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

bool TForm1::playKey(int key) {
  // Keyboard play: every click of the game has a key. Panels that cover the window come
  // first, then the waits, then the input panels; only one input panel is shown at a time.
  if (kekka_box->isVisible()) return kekka_box->playKey(key);
  if (start_box->isVisible()) return start_box->playKey(key);
  if (yes_click_box->isVisible() && engine_->waiting() == Wait::YesNo)
    return yes_click_box->playKey(key);
  if (engine_->waiting() == Wait::Click && click_l->isVisible()) {
    if (!isReturn(key) && key != Qt::Key_Space) return false;
    moji_lMouseDown();
    return true;
  }
  if (name_box->isVisible()) return name_box->playKey(key);
  if (sex_box->isVisible()) return sex_box->playKey(key);
  if (umare_box->isVisible()) return umare_box->playKey(key);
  if (item_box->isVisible()) return item_box->playKey(key);
  return false;
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // After the window is on screen, so that each box is centred over it and modal to it.
  startupNotices_.showSoon();
}

bool TForm1::focusNextPrevChild(bool next) {
  // Tab and Backtab go round the controls of the shown panel, in the order they were made;
  // without one (or when a panel holding the focus hides) the window keeps the keyboard.
  QWidget* shown = nullptr;
  for (QWidget* panel : {static_cast<QWidget*>(kekka_box), static_cast<QWidget*>(start_box),
                         static_cast<QWidget*>(yes_click_box), static_cast<QWidget*>(name_box),
                         static_cast<QWidget*>(sex_box), static_cast<QWidget*>(umare_box),
                         static_cast<QWidget*>(item_box)})
    if (panel->isVisible()) {
      shown = panel;
      break;
    }
  QList<QWidget*> stops;
  if (shown)
    for (QWidget* w : shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) stops.append(w);
  if (stops.isEmpty()) {
    setFocus(Qt::OtherFocusReason);
    return true;
  }
  qsizetype at = -1;
  for (qsizetype i = 0; i < stops.size(); ++i)
    if (stops[i] == QApplication::focusWidget() || stops[i]->isAncestorOf(QApplication::focusWidget()))
      at = i;
  const qsizetype n = stops.size();
  const qsizetype to = at < 0 ? (next ? 0 : n - 1) : (at + (next ? 1 : n - 1)) % n;
  stops[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  event->accept();
  platform::guarded(this, [this] { moji_lMouseDown(); });
}

}  // namespace game
