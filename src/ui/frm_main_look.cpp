#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "presenter/control_names.h"
#include "ui/frm_main.h"
#include "ui/widget_colors.h"
#include "ui/window_fonts.h"

namespace cdr {

namespace {

constexpr qreal kCaptionPointSize = 9.0;
constexpr qreal kStatusPointSize = 9.75;
const QColor kCommandFace(227, 228, 244);
const QColor kResetFace(253, 219, 219);
const QColor kStatusBackground(224, 224, 224);
const QColor kStatusText(192, 0, 0);

}  // namespace

void frmMain::applyLook() {
    for (const ControlId command : {ControlId("cmdRead"), ControlId("cmdWrite"), ControlId("cmdVersion")}) {
        setRoleColor(*find<QWidget>(command), QPalette::Button, kCommandFace);
    }
    setRoleColor(*find<QWidget>("cmdDefault"), QPalette::Button, kResetFace);
    find<QWidget>("cmdOnce")->setFont(boldGulim(kCaptionPointSize));
    for (const ControlId sentinelBox : {ControlId("chkStart"), ControlId("chkEnd")}) {
        find<QWidget>(sentinelBox)->setFont(boldGulim(kCaptionPointSize));
        setEnabledTextColor(*find<QWidget>(sentinelBox), QApplication::palette().color(QPalette::Highlight));
    }
    // Reader bytes and file names reach the status line; it never reads them as markup.
    txtMsg_->setTextFormat(Qt::PlainText);
    txtMsg_->setFont(boldGulim(kStatusPointSize));
    txtMsg_->setAutoFillBackground(true);
    setRoleColor(*txtMsg_, QPalette::Window, kStatusBackground);
    setEnabledTextColor(*txtMsg_, kStatusText);
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        find<QLineEdit>(kTxtSS[i])->setMaxLength(1);
        find<QLineEdit>(kTxtES[i])->setMaxLength(1);
    }
    setRoleColor(*find<QWidget>(kTxtSS[0]), QPalette::Base, Qt::white);
}

}  // namespace cdr
