#include "ui/window_fonts.h"

namespace cdr {

namespace {

const QString kGulimKorean = QStringLiteral(u"굴림");
const QString kGulimLatin = QStringLiteral("Gulim");
const QString kSubstitute = QStringLiteral("NanumGothic");

}  // namespace

void registerFontSubstitutes() {
    QFont::insertSubstitution(kGulimKorean, kSubstitute);
    QFont::insertSubstitution(kGulimLatin, kSubstitute);
}

QFont boldGulim(qreal pointSize) {
    QFont font(kGulimKorean);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

}  // namespace cdr
