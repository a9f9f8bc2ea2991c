#include "game/view/ChoicePanel.h"

#include <functional>

#include "game/view/Controls.h"

namespace game {

ChoicePanel::ChoicePanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, QColor(0xFF, 0x80, 0xC0)), engine_(engine) {
  setGeometry(4, 208, 297, 137);
  const QFont font = platform::layoutFont(platform::kProportionalGothic, 20, true, true);
  const QColor text(0xEC, 0x00, 0x76);
  const QColor background(0xFF, 0xB5, 0xFF);
  auto makeChoice = [&](int top, const std::function<void()>& handler) {
    auto* l = label(this, {96, top, 197, 20}, QStringLiteral("あいてむ１"), font, text);
    l->setTransparent(false, background);
    l->setCursor(Qt::PointingHandCursor);
    l->onMouseDown = handler;
    l->setPressable(true);
    l->setFocusPolicy(Qt::TabFocus);
    return l;
  };
  item_l1 = makeChoice(52, [this] { item_l1MouseDown(); });
  item_l2 = makeChoice(80, [this] { item_l2MouseDown(); });
  item_l3 = makeChoice(108, [this] { item_l3MouseDown(); });
}

bool ChoicePanel::playKey(int key) {
  if (key == Qt::Key_1)
    item_l1MouseDown();
  else if (key == Qt::Key_2)
    item_l2MouseDown();
  else if (key == Qt::Key_3)
    item_l3MouseDown();
  else
    return false;
  return true;
}

}  // namespace game
