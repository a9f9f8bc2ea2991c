#include "game/view/TitlePanel.h"

#include "assets/PictureWords.h"
#include "game/view/Controls.h"
#include "platform/HandlerGuard.h"

namespace game {

TitlePanel::TitlePanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, Qt::black), engine_(engine) {
  setGeometry(0, 0, 481, 357);
  // The title drawn on the animation's frames.
  setAccessibleName(assets::words::titleFirstLine() + assets::words::titleSecondLine());
  title_cg = picture(this, {0, 0, 481, 357});
  Image13 = new platform::Hotspot(this, {232, 288, 121, 33}, true);
  Image13->onClick = [this] { Button1Click(); };
  Image14 = new platform::Hotspot(this, {232, 324, 121, 33}, true);
  Image14->onClick = [this] { Image14Click(); };
  reachable(Image13, QStringLiteral("NEW GAME"));
  reachable(Image14, QStringLiteral("相性占い"));
  Button1 = new QPushButton(QStringLiteral("NEW GAME"), this);
  Button1->setGeometry(92, 236, 113, 29);
  Button1->setFont(platform::layoutFont(platform::kProportionalGothic, 12, true));
  Button1->setFocusPolicy(Qt::NoFocus);
  Button1->hide();
  connect(Button1, &QPushButton::clicked, this,
          [this] { platform::guarded(window(), [this] { Button1Click(); }); });
}

bool TitlePanel::playKey(int key) {
  if (isReturn(key) || key == Qt::Key_Space || key == Qt::Key_N) {
    Button1Click();
    return true;
  }
  if (key == Qt::Key_C) {
    Image14Click();
    return true;
  }
  return false;
}

}  // namespace game
