#pragma once
// The fortune-teller: a girl in a black lace bonnet with a magenta bow, straight-cut bangs,
// long dark hair and a lace collar. Drawn in a 100 × 100 design box (face centre at 50, 52);
// the caller's transform places and scales it.
#include <QPainter>

namespace art {

enum class Expression { Neutral, Questioning, Smug, Annoyed, Excited, Startled };

class FortuneTeller {
 public:
  // outline: stroke width in design units (about 1.6 reads well from 64 px up).
  static void draw(QPainter& p, Expression expression, double outline = 1.6);

 private:
  static void drawBackHair(QPainter& p, double outline);
  static void drawBody(QPainter& p, double outline);
  static void drawFace(QPainter& p, double outline);
  static void drawBangsAndBonnet(QPainter& p, double outline);
  static void drawEyes(QPainter& p, Expression e, double outline);
  static void drawBrows(QPainter& p, Expression e, double outline);
  static void drawMouth(QPainter& p, Expression e, double outline);
  static void drawMarks(QPainter& p, Expression e, double outline);
};

}  // namespace art
