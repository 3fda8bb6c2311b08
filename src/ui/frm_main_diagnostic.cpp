#include <QGroupBox>
#include <QListWidget>

#include <algorithm>

#include "ui/caption_fit.h"
#include "ui/check_box.h"
#include "ui/frm_main.h"

namespace cdr {

namespace {

// The panel's controls lie right of the settings, and the two byte groups would cover the result list where they
// stand: they move beside it.
constexpr int kPanelGap = 6;

void widenToHoldCaptionAndContents(QGroupBox& group) {
    const int contentsRight = group.childrenRect().right() + 1 + kPanelGap;
    group.resize(std::max({group.width(), group.minimumSizeHint().width(), contentsRight}), group.height());
}

}  // namespace

void frmMain::layOutDiagnosticPanel() {
    buildDiagnosticPanel();
    auto* bytesReceived = find<QGroupBox>("fraBytesReceived");
    auto* bytesToSend = find<QGroupBox>("fraBytesToSend");
    const int besideResults = lstResults_->geometry().right() + kPanelGap;
    bytesReceived->move(besideResults, bytesReceived->y());
    bytesToSend->move(besideResults, bytesToSend->y());
    // The two groups are narrower than their captions and "Autoincrement values"; beside the list they have room.
    for (QGroupBox* group : {bytesReceived, bytesToSend}) {
        widenToHoldCaptionAndContents(*group);
    }
    widenToCaption(*find<QWidget>("chkAutoincrement"));
    widenToHoldCaptionAndContents(*bytesToSend);
    const int right = std::max(bytesReceived->geometry().right(), bytesToSend->geometry().right()) + kPanelGap;
    const int bottom = std::max({height(), lstResults_->geometry().bottom(), bytesToSend->geometry().bottom()});
    setFixedSize(right + 1, bottom + kPanelGap);
}

}  // namespace cdr
