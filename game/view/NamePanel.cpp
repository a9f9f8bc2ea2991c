#include "game/view/NamePanel.h"

#include "assets/EmbeddedPictures.h"
#include "assets/PictureWords.h"
#include "game/view/Controls.h"

namespace game {
namespace {

// The keys of the tiles Image18 … Image36 in order; the erase tile (index 1) has Backspace.
constexpr int kTileKeys[19] = {Qt::Key_A, Qt::Key_Backspace, Qt::Key_C, Qt::Key_D, Qt::Key_E,
                               Qt::Key_G, Qt::Key_K,         Qt::Key_L, Qt::Key_I, Qt::Key_N,
                               Qt::Key_M, Qt::Key_O,         Qt::Key_P, Qt::Key_Q, Qt::Key_R,
                               Qt::Key_S, Qt::Key_T,         Qt::Key_U, Qt::Key_Y};

}  // namespace

NamePanel::NamePanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, QColor(0xAE, 0x00, 0x3D)), engine_(engine) {
  setGeometry(4, 208, 297, 137);
  setAccessibleName(assets::words::namePrompt());  // drawn on the background picture
  Image3 = picture(this, {0, 0, 297, 137});
  Image3->setPicture(assets::embeddedPicture("P4"));
  Image4 = new platform::Hotspot(this, {220, 104, 73, 29}, true);
  Image4->onMouseDown = [this] { Image4MouseDown(); };
  reachable(Image4, QStringLiteral("OK"));

  static const QRect tileRects[19] = {
      {8, 4, 37, 29},   {48, 4, 33, 29},  {84, 4, 29, 29},   {116, 8, 29, 29},
      {148, 4, 29, 29}, {176, 4, 37, 29}, {220, 4, 37, 33},  {260, 8, 29, 29},
      {4, 40, 37, 29},  {44, 40, 37, 29}, {84, 40, 37, 29},  {128, 44, 37, 29},
      {168, 40, 29, 29}, {204, 40, 37, 37}, {248, 40, 37, 37}, {8, 72, 33, 33},
      {48, 72, 33, 33}, {92, 80, 33, 33}, {132, 76, 41, 29}};
  for (int i = 0; i < 19; ++i) {
    nameTiles[i] = new platform::Hotspot(this, tileRects[i], true);
    nameTiles[i]->onMouseDown = [this, i] { engine_.letterTile(i); };
    reachable(nameTiles[i], kTileKeys[i] == Qt::Key_Backspace ? QStringLiteral("消す")
                                                              : QString(QChar(kTileKeys[i])));
  }

  name_l = new platform::ReadOnlyEdit(this, QColor(0x99, 0x00, 0x4D), kWhite);
  name_l->setGeometry(24, 112, 129, 17);
  name_l->setAccessibleName(QStringLiteral("名前"));
  name_l->setFont(platform::layoutFont(platform::kProportionalGothic, 16, true));
}

bool NamePanel::playKey(int key) {
  if (isReturn(key)) {
    Image4MouseDown();
    return true;
  }
  for (int tile = 0; tile < 19; ++tile) {
    if (kTileKeys[tile] == key) {
      engine_.letterTile(tile);
      return true;
    }
  }
  return false;
}

}  // namespace game
