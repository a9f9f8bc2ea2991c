#include "game/view/StatusPanel.h"

#include <QStringList>

namespace game {
namespace {

const QString CR = QStringLiteral("\r");

QString dateText(const platform::LocalDate& today) {
  return QString::number(today.year) + QStringLiteral("年") + QString::number(today.month) +
         QStringLiteral("月") + QString::number(today.day) + QStringLiteral("日");
}

QString weekdayText(const platform::LocalDate& today) {
  return QStringLiteral("第") + QString::number(today.weekday) + QStringLiteral("曜日");
}

QString sexText(const tmy& p) {
  return p.playerSex == 1 ? QStringLiteral("♂") : p.playerSex == 2 ? QStringLiteral("♀") : QStringLiteral("なし");
}

QStringList ownedItems(const tmy& p) {
  QStringList items;
  if (p.ownsUniverse >= 1) items << QStringLiteral("【宇宙の全て】所持");
  if (p.ownsSeekingBrain >= 1) items << QStringLiteral("【求める脳】所持");
  if (p.ownsHappiness >= 1) items << QStringLiteral("【幸せ】所持");
  return items;
}

QString itemLines(const tmy& p) {
  QString lines = CR + CR;
  for (const QString& item : ownedItems(p)) lines += item + CR;
  return lines;
}

// Without control characters, which would break the line.
QString printableName(const std::string& name) {
  QString text = QString::fromStdString(name);
  text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
  return text;
}

}  // namespace

QString shownBirthday(std::int32_t month, std::int32_t day) {
  const bool unset = month == 0 && day == 0;
  if (!unset && !isAskableBirthday(month, day)) return QStringLiteral("なし");
  return QString::number(month) + QStringLiteral("月 ") + QString::number(day) +
         QStringLiteral("日");
}

QString shownName(const std::string& name, const QFontMetrics& metrics, int width) {
  const QString text = printableName(name);
  if (metrics.horizontalAdvance(text) <= width) return text;
  return metrics.elidedText(text, Qt::ElideRight, width);
}

QString statusText(GameMode mode, const tmy& p, const platform::LocalDate& today,
                   const QFontMetrics& metrics, int lineWidth) {
  QString text = QStringLiteral("今日の日付") + CR + QStringLiteral("    > ") + dateText(today) + CR +
                 QStringLiteral("       ") + weekdayText(today) + CR + CR;
  if (mode == GameMode::Single) {
    const QString nameLabel = QStringLiteral("名前 > ");
    const int nameWidth = lineWidth - metrics.horizontalAdvance(nameLabel);
    text += nameLabel + shownName(p.playerName, metrics, nameWidth) + CR + CR +
            QStringLiteral("性別 > ") + sexText(p) + CR + CR + QStringLiteral("生年月日") + CR +
            QStringLiteral("    > ") + shownBirthday(p.birthMonth, p.birthDay);
  } else {
    text += QStringLiteral("貴方の生年月日") + CR + QStringLiteral("    > ") +
            shownBirthday(p.birthMonth, p.birthDay) + CR + CR + QStringLiteral("相手の生年月日") +
            CR + QStringLiteral("    > ") + shownBirthday(p.partnerMonth, p.partnerDay);
  }
  return text + itemLines(p);
}

QString statusSpeech(GameMode mode, const tmy& p, const platform::LocalDate& today) {
  QStringList lines{QStringLiteral("今日の日付 ") + dateText(today) + QLatin1Char(' ') + weekdayText(today)};
  if (mode == GameMode::Single) {
    lines << QStringLiteral("名前 ") + printableName(p.playerName) << QStringLiteral("性別 ") + sexText(p)
          << QStringLiteral("生年月日 ") + shownBirthday(p.birthMonth, p.birthDay);
  } else {
    lines << QStringLiteral("貴方の生年月日 ") + shownBirthday(p.birthMonth, p.birthDay)
          << QStringLiteral("相手の生年月日 ") + shownBirthday(p.partnerMonth, p.partnerDay);
  }
  return (lines + ownedItems(p)).join(QLatin1Char('\n'));
}

}  // namespace game
