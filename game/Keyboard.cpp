// Keyboard play: every click of the game has a key, given to the handler the click would
// run, so that a game can be played from the title to the result and back without a mouse.
// Keys reach the window when none of its input fields takes them: a number field keeps the
// keys typed into it (digits, arrows, editing), and Return and Tab pass on to the window.
#include <QKeyEvent>

#include "game/TForm1.h"

namespace game {
namespace {

// The letter tiles Image18 … Image36 in order; 0 where a key has no tile (the erase tile
// stands at index 1 and has Backspace).
constexpr int kTileKeys[19] = {Qt::Key_A, 0,         Qt::Key_C, Qt::Key_D, Qt::Key_E,
                               Qt::Key_G, Qt::Key_K, Qt::Key_L, Qt::Key_I, Qt::Key_N,
                               Qt::Key_M, Qt::Key_O, Qt::Key_P, Qt::Key_Q, Qt::Key_R,
                               Qt::Key_S, Qt::Key_T, Qt::Key_U, Qt::Key_Y};

bool isReturn(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

void TForm1::highlightYesNo(int choice) {
  yesNoChoice_ = choice;
  Image6->setHighlighted(choice == 1);
  Image7->setHighlighted(choice == 2);
}

bool TForm1::playKey(int key) {
  // Panels that cover the window come first, then the waits, then the input panels; only one
  // of the input panels is shown at a time.
  if (kekka_box->isVisible()) {
    if (!isReturn(key)) return false;
    Image16MouseDown();
    return true;
  }
  if (start_box->isVisible()) {
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
  if (yes_click_box->isVisible() && yesNoAnswer == 0) {
    if (key == Qt::Key_Y) {
      Label1MouseDown();
    } else if (key == Qt::Key_N) {
      Label2MouseDown();
    } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
      highlightYesNo(key == Qt::Key_Left ? 1 : 2);
    } else if (isReturn(key) && yesNoChoice_ != 0) {
      if (yesNoChoice_ == 1)
        Label1MouseDown();
      else
        Label2MouseDown();
    } else {
      return false;
    }
    return true;
  }
  if (clickState == 0 && click_l->isVisible()) {
    if (!isReturn(key) && key != Qt::Key_Space) return false;
    moji_lMouseDown();
    return true;
  }
  if (name_box->isVisible()) {
    if (isReturn(key)) {
      Image4MouseDown();
      return true;
    }
    if (key == Qt::Key_Backspace) {
      Image19MouseDown();
      return true;
    }
    for (int tile = 0; tile < 19; ++tile) {
      if (kTileKeys[tile] != 0 && kTileKeys[tile] == key) {
        onLetterTile(tile);
        return true;
      }
    }
    return false;
  }
  if (sex_box->isVisible()) {
    if (key == Qt::Key_M) {
      Label3MouseDown();
    } else if (key == Qt::Key_F) {
      Label4MouseDown();
    } else {
      return false;
    }
    return true;
  }
  if (umare_box->isVisible()) {
    if (!isReturn(key)) return false;
    Image9MouseDown();
    return true;
  }
  if (item_box->isVisible()) {
    if (key == Qt::Key_1) {
      item_l1MouseDown();
    } else if (key == Qt::Key_2) {
      item_l2MouseDown();
    } else if (key == Qt::Key_3) {
      item_l3MouseDown();
    } else {
      return false;
    }
    return true;
  }
  return false;
}

}  // namespace game
