#include <QListWidget>

#include <algorithm>

#include "ui/frm_main.h"

namespace cdr {

namespace {

// The panel's controls lie right of the settings, and the two byte groups would cover the result list where they
// stand: they move beside it.
constexpr int kPanelGap = 6;

}  // namespace

void frmMain::layOutDiagnosticPanel() {
    auto* bytesReceived = find<QWidget>("fraBytesReceived");
    auto* bytesToSend = find<QWidget>("fraBytesToSend");
    const int besideResults = lstResults_->geometry().right() + kPanelGap;
    bytesReceived->move(besideResults, bytesReceived->y());
    bytesToSend->move(besideResults, bytesToSend->y());
    const int right = std::max(bytesReceived->geometry().right(), bytesToSend->geometry().right()) + kPanelGap;
    const int bottom = std::max({height(), lstResults_->geometry().bottom(), bytesToSend->geometry().bottom()});
    setFixedSize(right + 1, bottom + kPanelGap);
}

}  // namespace cdr
