#include "ui/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace cdr {

namespace {

const QString kGulimKorean = QStringLiteral(u"굴림");
const QString kGulimLatin = QStringLiteral("Gulim");
const QString kStandIn = QStringLiteral("NanumGothic");

// Gulim's Korean name when neither it nor the stand-in is installed, so that the font falls back as the desktop
// decides for a Korean face.
const QString& gulimFace() {
    static const QString face = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& name : {kGulimKorean, kGulimLatin, kStandIn}) {
            if (installed.contains(name, Qt::CaseInsensitive)) {
                return name;
            }
        }
        return kGulimKorean;
    }();
    return face;
}

}  // namespace

QFont boldGulim(qreal pointSize) {
    QFont font(gulimFace());
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

}  // namespace cdr
