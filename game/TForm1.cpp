#include "game/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "assets/EmbeddedPictures.h"
#include "game/CueSink.h"
#include "game/ProfileStore.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"

namespace game {
namespace {

using platform::FlatPanel;
using platform::Hotspot;
using platform::kFixedGothic;
using platform::kProportionalGothic;
using platform::layoutFont;
using platform::PictureBox;
using platform::TextLabel;

const QColor kFuchsia(0xFF, 0x00, 0xFF);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kYellow(0xFF, 0xFF, 0x00);

PictureBox* picture(QWidget* parent, QRect geometry) {
  auto* box = new PictureBox(parent);
  box->setGeometry(geometry);
  return box;
}

TextLabel* label(QWidget* parent, QRect geometry, const QString& caption, const QFont& font,
                 const QColor& color) {
  auto* l = new TextLabel(parent);
  l->setGeometry(geometry);
  l->setFont(font);
  l->setTextColor(color);
  l->setCaption(caption);
  return l;
}

// The hidden answer labels of the yes/no and sex panels: fuchsia bold text on white.
TextLabel* answerLabel(QWidget* parent, QRect geometry, const QString& caption) {
  auto* l = label(parent, geometry, caption, layoutFont(kProportionalGothic, 17, true), kFuchsia);
  l->setTransparent(false, kWhite);
  l->setAlignment(Qt::AlignCenter);
  l->hide();
  return l;
}

}  // namespace

TForm1::TForm1(GameEnvironment environment, GameDevices devices)
    : QWidget(nullptr),
      env_(std::move(environment)),
      clock_(devices.clock),
      random_(devices.random),
      tremble_(devices.tremble),
      cues_(devices.cues) {
  profileStore_ = std::make_unique<ProfileStore>(
      env_.profilePrimary.empty() ? env_.assetRoot / "dat" / "my.dat" : env_.profilePrimary,
      env_.profileFallback, env_.profileReadOnly);

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
  buildTitlePanel();
  buildNamePanel();
  buildYesNoPanel();
  buildSexPanel();
  buildBirthdayPanel();
  buildResultPanel();
  buildChoicePanel();

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

TForm1::~TForm1() { FormDestroy(); }

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
  click_l->hide();

  // Panels are child windows: above every picture and label of the window.
  const QColor crimson(0xAE, 0x00, 0x3D);
  const QColor pink(0xFF, 0x80, 0xC0);
  name_box = new FlatPanel(this, crimson);
  name_box->setGeometry(4, 208, 297, 137);
  yes_click_box = new FlatPanel(this, pink);
  yes_click_box->setGeometry(4, 208, 297, 137);
  sex_box = new FlatPanel(this, crimson);
  sex_box->setGeometry(4, 208, 297, 137);
  umare_box = new FlatPanel(this, crimson);
  umare_box->setGeometry(4, 208, 297, 137);
  kekka_box = new FlatPanel(this, QColor(0xFF, 0x80, 0xFF));
  kekka_box->setGeometry(0, 0, 485, 357);
  start_box = new FlatPanel(this, Qt::black);
  start_box->setGeometry(0, 0, 481, 357);
  item_box = new FlatPanel(this, pink);
  item_box->setGeometry(4, 208, 297, 137);
  for (QWidget* panel : {static_cast<QWidget*>(name_box), static_cast<QWidget*>(yes_click_box),
                         static_cast<QWidget*>(sex_box), static_cast<QWidget*>(umare_box),
                         static_cast<QWidget*>(kekka_box), static_cast<QWidget*>(item_box)})
    panel->hide();
}

void TForm1::buildTitlePanel() {
  title_cg = picture(start_box, {0, 0, 481, 357});
  Image13 = new Hotspot(start_box, {232, 288, 121, 33}, true);
  Image13->onClick = [this] { Button1Click(); };
  Image14 = new Hotspot(start_box, {232, 324, 121, 33}, true);
  Image14->onClick = [this] { Image14Click(); };
  Button1 = new QPushButton(QStringLiteral("NEW GAME"), start_box);
  Button1->setGeometry(92, 236, 113, 29);
  Button1->setFont(layoutFont(kProportionalGothic, 12, true));
  Button1->setFocusPolicy(Qt::NoFocus);
  Button1->hide();
  connect(Button1, &QPushButton::clicked, this,
          [this] { platform::guarded(this, [this] { Button1Click(); }); });
}

void TForm1::buildNamePanel() {
  Image3 = picture(name_box, {0, 0, 297, 137});
  Image3->setPicture(assets::embeddedPicture("P4"));
  Image4 = new Hotspot(name_box, {220, 104, 73, 29}, true);
  Image4->onMouseDown = [this] { Image4MouseDown(); };

  static const QRect tileRects[19] = {
      {8, 4, 37, 29},   {48, 4, 33, 29},  {84, 4, 29, 29},   {116, 8, 29, 29},
      {148, 4, 29, 29}, {176, 4, 37, 29}, {220, 4, 37, 33},  {260, 8, 29, 29},
      {4, 40, 37, 29},  {44, 40, 37, 29}, {84, 40, 37, 29},  {128, 44, 37, 29},
      {168, 40, 29, 29}, {204, 40, 37, 37}, {248, 40, 37, 37}, {8, 72, 33, 33},
      {48, 72, 33, 33}, {92, 80, 33, 33}, {132, 76, 41, 29}};
  using Handler = void (TForm1::*)();
  static const Handler handlers[19] = {
      &TForm1::Image18MouseDown, &TForm1::Image19MouseDown, &TForm1::Image20MouseDown,
      &TForm1::Image21MouseDown, &TForm1::Image22MouseDown, &TForm1::Image23MouseDown,
      &TForm1::Image24MouseDown, &TForm1::Image25MouseDown, &TForm1::Image26MouseDown,
      &TForm1::Image27MouseDown, &TForm1::Image28MouseDown, &TForm1::Image29MouseDown,
      &TForm1::Image30MouseDown, &TForm1::Image31MouseDown, &TForm1::Image32MouseDown,
      &TForm1::Image33MouseDown, &TForm1::Image34MouseDown, &TForm1::Image35MouseDown,
      &TForm1::Image36MouseDown};
  for (int i = 0; i < 19; ++i) {
    nameTiles[i] = new Hotspot(name_box, tileRects[i], true);
    Handler handler = handlers[i];
    nameTiles[i]->onMouseDown = [this, handler] { (this->*handler)(); };
  }

  name_l = new platform::ReadOnlyEdit(name_box, QColor(0x99, 0x00, 0x4D), kWhite);
  name_l->setGeometry(24, 112, 129, 17);
  name_l->setFont(layoutFont(kProportionalGothic, 16, true));
}

void TForm1::buildYesNoPanel() {
  Image5 = picture(yes_click_box, {0, 0, 297, 137});
  Image5->setPicture(assets::embeddedPicture("P5"));
  Label1 = answerLabel(yes_click_box, {236, 28, 225, 33}, QStringLiteral("あいっ！"));
  Label1->onMouseDown = [this] { Label1MouseDown(); };
  Label2 = answerLabel(yes_click_box, {232, 72, 225, 33}, QStringLiteral("ちがうよ"));
  Label2->onMouseDown = [this] { Label2MouseDown(); };
  Image6 = new Hotspot(yes_click_box, {56, 16, 165, 45}, false);
  Image6->onMouseDown = [this] { Label1MouseDown(); };
  Image7 = new Hotspot(yes_click_box, {56, 76, 165, 45}, false);
  Image7->onMouseDown = [this] { Label2MouseDown(); };
}

void TForm1::buildSexPanel() {
  Image10 = picture(sex_box, {0, 0, 297, 137});
  Image10->setPicture(assets::embeddedPicture("P6"));
  Label3 = answerLabel(sex_box, {264, 28, 225, 33}, QStringLiteral("♂"));
  Label3->onMouseDown = [this] { Label3MouseDown(); };
  Label4 = answerLabel(sex_box, {248, 84, 225, 33}, QStringLiteral("♀"));
  Label4->onMouseDown = [this] { Label4MouseDown(); };
  Image11 = new Hotspot(sex_box, {32, 12, 85, 109}, false);
  Image11->onMouseDown = [this] { Label3MouseDown(); };
  Image12 = new Hotspot(sex_box, {156, 8, 105, 109}, false);
  Image12->onMouseDown = [this] { Label4MouseDown(); };
}

void TForm1::buildBirthdayPanel() {
  const QFont mark = layoutFont(kProportionalGothic, 17, true);
  Label6 = label(umare_box, {92, 48, 19, 17}, QStringLiteral("月"), mark, kFuchsia);
  Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label7 = label(umare_box, {196, 48, 19, 17}, QStringLiteral("日"), mark, kFuchsia);
  Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Image8 = picture(umare_box, {0, 0, 297, 137});
  Image8->setPicture(assets::embeddedPicture("P7"));
  Image9 = new Hotspot(umare_box, {212, 84, 85, 57}, false);
  Image9->onMouseDown = [this] { Image9MouseDown(); };

  const QFont digits = layoutFont(kProportionalGothic, 20, true);
  auto makeSpin = [&](QRect geometry, int maximum) {
    auto* spin = new platform::SpinField(umare_box, 1, maximum, 1);
    spin->setGeometry(geometry);
    spin->setFont(digits);
    spin->setFrame(false);
    spin->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    QPalette p = spin->palette();
    p.setColor(QPalette::Base, QColor(0xFF, 0x80, 0xFF));
    p.setColor(QPalette::Button, QColor(0xFF, 0x80, 0xFF));
    spin->setPalette(p);
    spin->onChange = [this] { umare_v2Change(); };
    // Narrow arrows and no padding, so two bold 20 px digits fit in the 45 px field.
    spin->setStyleSheet(QStringLiteral(
        "QAbstractSpinBox { border: none; padding: 0px; background: #FF80FF; color: black; }"
        "QAbstractSpinBox::up-button, QAbstractSpinBox::down-button { width: 11px; }"));
    return spin;
  };
  umare_v = makeSpin({24, 48, 45, 30}, 12);
  umare_v2 = makeSpin({116, 48, 45, 30}, 31);
}

void TForm1::buildResultPanel() {
  Image15 = picture(kekka_box, {0, 0, 485, 357});
  Image15->setStretch(true);
  Image15->setPicture(assets::embeddedPicture("P8"));
  end_l = label(kekka_box, {40, 56, 421, 121}, QStringLiteral("べんきょう　> "),
                layoutFont(kProportionalGothic, 15, true), QColor(0xC4, 0x00, 0x62));
  end_l->setWordWrap(true);
  end_l2 = label(kekka_box, {268, 164, 84, 40}, QStringLiteral("99点"),
                 layoutFont(kProportionalGothic, 40, true), kYellow);
  end_l2->setAutoSize(true);
  end_l3 = label(kekka_box, {40, 248, 421, 89}, QStringLiteral("べんきょう　> "),
                 layoutFont(kProportionalGothic, 17, true, true), QColor(0xFF, 0xBB, 0xFF));
  end_l3->setWordWrap(true);
  Image16 = new Hotspot(kekka_box, {364, 308, 113, 49}, true);
  Image16->onMouseDown = [this] { Image16MouseDown(); };
  end_Cg = picture(kekka_box, {360, 12, 112, 97});
  end_Cg->setStretch(true);
}

void TForm1::buildChoicePanel() {
  const QFont font = layoutFont(kProportionalGothic, 20, true, true);
  const QColor text(0xEC, 0x00, 0x76);
  const QColor background(0xFF, 0xB5, 0xFF);
  auto makeChoice = [&](int top, const std::function<void()>& handler) {
    auto* l = label(item_box, {96, top, 197, 20}, QStringLiteral("あいてむ１"), font, text);
    l->setTransparent(false, background);
    l->setCursor(Qt::PointingHandCursor);
    l->onMouseDown = handler;
    return l;
  };
  item_l1 = makeChoice(52, [this] { item_l1MouseDown(); });
  item_l2 = makeChoice(80, [this] { item_l2MouseDown(); });
  item_l3 = makeChoice(108, [this] { item_l3MouseDown(); });
}

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

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // After the window is on screen, so that each box is centred over it and modal to it.
  if (!startupBoxes_.empty())
    QMetaObject::invokeMethod(this, [this] { showStartupBoxes(); }, Qt::QueuedConnection);
}

void TForm1::showStartupBoxes() {
  std::vector<PendingBox> boxes;
  boxes.swap(startupBoxes_);
  for (const PendingBox& box : boxes) {
    if (closing_) return;
    if (box.error)
      platform::dialogs().error(this, box.text);
    else
      platform::dialogs().inform(this, box.text);
  }
}

bool TForm1::focusNextPrevChild(bool next) {
  // The only tab stops are the birthday panel's two fields, between which Tab moves; the
  // window keeps the keyboard everywhere else (also when a panel holding the focus hides).
  if (umare_box->isVisible()) {
    (umare_v->hasFocus() ? umare_v2 : umare_v)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  setFocus(Qt::OtherFocusReason);
  return true;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  event->accept();
  platform::guarded(this, [this] { moji_lMouseDown(); });
}

}  // namespace game
