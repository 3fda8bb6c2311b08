#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

#include "ui/check_box.h"
#include "ui/frm_main.h"

namespace cdr {

namespace {

constexpr int kContinuousIntervalMs = 1000;
constexpr int kByteValueCount = 256;

// Timers take part in the group enable: enabling arms a timer, disabling disarms it.
void setTimerArmed(QTimer& timer, bool armed) {
    if (!armed) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

}  // namespace

void frmMain::Form_Load() {
    show();
    InitControls();
}

void frmMain::InitControls() {
    FillByteLists();
    tmrContinuousDataCollect_->stop();
    tmrContinuousDataCollect_->setInterval(kContinuousIntervalMs);
    SetControlsEnabled(false);
}

void frmMain::FillByteLists() {
    for (QComboBox* list : {cboByte0_, cboByte1_}) {
        for (int value = 0; value < kByteValueCount; ++value) {
            list->addItem(QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper());
        }
    }
    cboByte0_->setCurrentIndex(1);
    cboByte1_->setCurrentIndex(0);
    chkAutoincrement_->setValue(kChecked);
}

void frmMain::SetControlsEnabled(bool enable) {
    for (QObject* control : controls_) {
        if (auto* widget = qobject_cast<QWidget*>(control)) {
            widget->setEnabled(enable);
        } else if (auto* timer = qobject_cast<QTimer*>(control)) {
            setTimerArmed(*timer, enable);
        }
        // Any other component (the file dialog) has no enabled state and is passed over.
    }
    fraSendAndReceive_->setEnabled(true);
    cmdOnce_->setEnabled(true);
    chkStart_Click();
    chkEnd_Click();
}

// Closing the window never cancels; it closes the device handles that are still open.
void frmMain::Form_Unload() { link_.CloseDeviceHandles(); }

}  // namespace cdr
