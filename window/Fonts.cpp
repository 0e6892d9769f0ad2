// Gothic (fixed pitch) and P-Gothic (proportional), asked for by name.
#include "window/Fonts.h"

namespace zoma {

namespace {
const QString kGothic = QString::fromUtf8("ＭＳ ゴシック");
const QString kPGothic = QString::fromUtf8("ＭＳ Ｐゴシック");
}  // namespace

void installFontSubstitutes() {
    QFont::insertSubstitution(kGothic, QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(kPGothic, QStringLiteral("IPAPGothic"));
}

QFont controlFont(Face face, double pointSize, bool bold) {
    QFont font(face == Face::PGothic ? kPGothic : kGothic);
    font.setPointSizeF(pointSize > 0 ? pointSize : 7.5);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    if (face == Face::Gothic) font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace zoma
