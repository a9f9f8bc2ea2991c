#include "platform/Fonts.h"

#include <QStringList>

namespace platform {

void installFontSubstitutions() {
  QFont::insertSubstitutions(kProportionalGothic,
                             QStringList() << QStringLiteral("IPAPGothic")
                                           << QStringLiteral("IPAexGothic")
                                           << QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitutions(kFixedGothic, QStringList() << QStringLiteral("IPAGothic")
                                                         << QStringLiteral("Noto Sans Mono CJK JP"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
}

QFont layoutFont(const QString& family, int pixelHeight, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setItalic(italic);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

}  // namespace platform
