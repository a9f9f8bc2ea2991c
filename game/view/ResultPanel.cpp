#include "game/view/ResultPanel.h"

#include "assets/EmbeddedPictures.h"
#include "assets/PictureWords.h"
#include "game/view/Controls.h"

namespace game {

ResultPanel::ResultPanel(QWidget* parent, GameEngine& engine)
    : platform::FlatPanel(parent, QColor(0xFF, 0x80, 0xFF)), engine_(engine) {
  using platform::kProportionalGothic;
  using platform::layoutFont;
  setGeometry(0, 0, 485, 357);
  // The heading and the footnote drawn on the sheet's picture.
  setAccessibleName(assets::words::resultHeading());
  setAccessibleDescription(assets::words::resultFootnote());
  Image15 = picture(this, {0, 0, 485, 357});
  Image15->setStretch(true);
  Image15->setPicture(assets::embeddedPicture("P8"));
  end_l = label(this, {40, 56, 421, 121}, QStringLiteral("べんきょう　> "),
                layoutFont(kProportionalGothic, 15, true), QColor(0xC4, 0x00, 0x62));
  end_l->setWordWrap(true);
  end_l2 = label(this, {268, 164, 84, 40}, QStringLiteral("99点"),
                 layoutFont(kProportionalGothic, 40, true), kYellow);
  end_l2->setAutoSize(true);
  end_l3 = label(this, {40, 248, 421, 89}, QStringLiteral("べんきょう　> "),
                 layoutFont(kProportionalGothic, 17, true, true), QColor(0xFF, 0xBB, 0xFF));
  end_l3->setWordWrap(true);
  Image16 = new platform::Hotspot(this, {364, 308, 113, 49}, true);
  Image16->onMouseDown = [this] { Image16MouseDown(); };
  reachable(Image16, QStringLiteral("OK"));
  end_Cg = picture(this, {360, 12, 112, 97});
  end_Cg->setStretch(true);
}

void ResultPanel::showSheet(const ResultSheet& sheet) {
  const QString score = QString::fromStdString(sheet.score);
  const QString advice = QString::fromStdString(sheet.advice);
  end_l->setCaption(QString::fromStdString(sheet.resultText));
  end_l2->setCaption(score);
  end_l3->setCaption(advice);
  // What the sheet's picture says around the texts, and the stars as numbers.
  using namespace assets::words;
  end_l->setAccessibleName(QString::fromStdString(sheet.spokenResultText).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  end_l2->setAccessibleName(scoreHeading() + QLatin1Char(' ') + score + scoreUnit());
  end_l3->setAccessibleName(adviceHeading() + QLatin1Char('\n') + advice);
}

bool ResultPanel::playKey(int key) {
  if (!isReturn(key)) return false;
  Image16MouseDown();
  return true;
}

}  // namespace game
