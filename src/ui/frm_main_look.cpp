#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/check_box.h"
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
    for (QPushButton* command : {cmdRead_, cmdWrite_, cmdVersion_}) {
        setRoleColor(*command, QPalette::Button, kCommandFace);
    }
    setRoleColor(*cmdDefault_, QPalette::Button, kResetFace);

    cmdOnce_->setFont(boldGulim(kCaptionPointSize));

    for (CheckBox* sentinelBox : {chkStart_, chkEnd_}) {
        sentinelBox->setFont(boldGulim(kCaptionPointSize));
        setEnabledTextColor(*sentinelBox, QApplication::palette().color(QPalette::Highlight));
    }

    // Reader bytes and file names reach the status line; it never reads them as markup.
    txtMsg_->setTextFormat(Qt::PlainText);
    txtMsg_->setFont(boldGulim(kStatusPointSize));
    txtMsg_->setAutoFillBackground(true);
    setRoleColor(*txtMsg_, QPalette::Window, kStatusBackground);
    setEnabledTextColor(*txtMsg_, kStatusText);

    for (std::size_t i = 0; i < kTrackCount; ++i) {
        txtSS_[i]->setMaxLength(1);
        txtES_[i]->setMaxLength(1);
    }
    setRoleColor(*txtSS_[0], QPalette::Base, Qt::white);
}

}  // namespace cdr
