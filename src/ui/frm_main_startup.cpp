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

// The control that had the focus keeps it when it is still usable afterwards; otherwise the first usable control
// in tab order takes it, so that keyboard and screen-reader users keep their place.
void frmMain::SetControlsEnabled(bool enable) {
    QWidget* const focused = focusWidget();
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
    restoreFocus(focused);
}

void frmMain::restoreFocus(QWidget* focused) {
    const auto takesFocus = [](const QWidget* widget) {
        return widget->isEnabled() && widget->isVisibleTo(widget->window()) &&
               (widget->focusPolicy() & Qt::TabFocus) != 0;
    };
    if (focused != nullptr && takesFocus(focused)) {
        focused->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* widget = nextInFocusChain(); widget != this; widget = widget->nextInFocusChain()) {
        if (takesFocus(widget)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// Closing the window never cancels; it closes the device handles that are still open.
void frmMain::Form_Unload() { link_.CloseDeviceHandles(); }

}  // namespace cdr
