#pragma once
// The game's two faces, "ＭＳ Ｐゴシック" (proportional) and "ＭＳ ゴシック" (fixed pitch),
// are mapped at start-up to the IPA Gothic fonts that Debian ships.
#include <QFont>
#include <QString>

namespace platform {

inline const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kFixedGothic = QStringLiteral("ＭＳ ゴシック");

// Registers the family substitutions; call once after the application object exists.
void installFontSubstitutions();

// pixelHeight is the character height in pixels, as the layout gives it.
QFont layoutFont(const QString& family, int pixelHeight, bool bold = false, bool italic = false);

}  // namespace platform
