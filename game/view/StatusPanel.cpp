#include "game/view/StatusPanel.h"

namespace game {
namespace {

const QString CR = QStringLiteral("\r");

QString dateLine(const platform::LocalDate& today) {
  return QString::number(today.year) + QStringLiteral("年") + QString::number(today.month) +
         QStringLiteral("月") + QString::number(today.day) + QStringLiteral("日") + CR +
         QStringLiteral("       第") + QString::number(today.weekday) + QStringLiteral("曜日");
}

QString itemLines(const tmy& p) {
  QString lines = CR + CR;
  if (p.ownsUniverse >= 1) lines += QStringLiteral("【宇宙の全て】所持") + CR;
  if (p.ownsSeekingBrain >= 1) lines += QStringLiteral("【求める脳】所持") + CR;
  if (p.ownsHappiness >= 1) lines += QStringLiteral("【幸せ】所持") + CR;
  return lines;
}

}  // namespace

QString shownBirthday(std::int32_t month, std::int32_t day) {
  const bool unset = month == 0 && day == 0;
  if (!unset && !isAskableBirthday(month, day)) return QStringLiteral("なし");
  return QString::number(month) + QStringLiteral("月 ") + QString::number(day) +
         QStringLiteral("日");
}

QString shownName(const std::string& name, const QFontMetrics& metrics, int width) {
  QString text = QString::fromStdString(name);
  text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
  if (metrics.horizontalAdvance(text) <= width) return text;
  return metrics.elidedText(text, Qt::ElideRight, width);
}

QString statusText(GameMode mode, const tmy& p, const platform::LocalDate& today,
                   const QFontMetrics& metrics, int lineWidth) {
  QString text = QStringLiteral("今日の日付") + CR + QStringLiteral("    > ") + dateLine(today) +
                 CR + CR;
  if (mode == GameMode::Single) {
    QString sex = p.playerSex == 1 ? QStringLiteral("♂")
                  : p.playerSex == 2 ? QStringLiteral("♀")
                                     : QStringLiteral("なし");
    const QString nameLabel = QStringLiteral("名前 > ");
    const int nameWidth = lineWidth - metrics.horizontalAdvance(nameLabel);
    text += nameLabel + shownName(p.playerName, metrics, nameWidth) + CR + CR +
            QStringLiteral("性別 > ") + sex + CR + CR + QStringLiteral("生年月日") + CR +
            QStringLiteral("    > ") + shownBirthday(p.birthMonth, p.birthDay);
  } else {
    text += QStringLiteral("貴方の生年月日") + CR + QStringLiteral("    > ") +
            shownBirthday(p.birthMonth, p.birthDay) + CR + CR + QStringLiteral("相手の生年月日") +
            CR + QStringLiteral("    > ") + shownBirthday(p.partnerMonth, p.partnerDay);
  }
  return text + itemLines(p);
}

}  // namespace game
