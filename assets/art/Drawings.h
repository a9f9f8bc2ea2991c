#pragma once
// Every picture of the game as a drawing routine. Each paints the whole picture in its own
// pixel coordinates (the size is given beside it) on a painter with anti-aliasing on; the
// generator reduces the colours afterwards.
#include "assets/art/FortuneTeller.h"

#include <QPainter>

namespace art {

void drawStatusFrame(QPainter& p);    // P1, 173 × 304, shown stretched to 181 × 345
void drawDecoration(QPainter& p);     // P2, 310 × 150, fuchsia is transparent
void drawSpeechBar(QPainter& p);      // P3, 301 × 52
void drawNamePanel(QPainter& p);      // P4, 297 × 137
void drawYesNoPanel(QPainter& p);     // P5, 297 × 137
void drawSexPanel(QPainter& p);       // P6, 297 × 137
void drawBirthdayPanel(QPainter& p);  // P7, 297 × 137
void drawResultSheet(QPainter& p);    // P8, 477 × 355, shown stretched to 485 × 357
void drawPortrait(QPainter& p, Expression expression);  // 64 × 64
// mood: 0 gloom (blue), 1 bad, 2 so-so, 3 good, 4 delight (happy); 150 × 150.
void drawMoodPicture(QPainter& p, int mood);
// frame: 0, 1 or 2 of the title animation; 481 × 357.
void drawTitleFrame(QPainter& p, int frame);
void drawWindowIcon(QPainter& p);     // 32 × 32

}  // namespace art
