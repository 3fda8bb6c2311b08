#include <QApplication>
#include <QLineEdit>

#include "ui/check_box.h"
#include "ui/frm_main.h"
#include "ui/option_button.h"
#include "ui/widget_colors.h"

namespace cdr {

ReaderSettings frmMain::currentSettings() const {
    ReaderSettings settings;
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        settings.trackEnabled[i] = chkTrack_[i]->value();
        settings.startSentinel[i] = txtSS_[i]->text().toStdU16String();
        settings.endSentinel[i] = txtES_[i]->text().toStdU16String();
    }
    settings.startSentinelEnabled = chkStart_->value();
    settings.endSentinelEnabled = chkEnd_->value();
    for (std::size_t i = 0; i < kFormatOptionCount; ++i) {
        settings.formatOption[i] = optFormat_[i]->isChecked();
    }
    for (std::size_t i = 0; i < kEnterOptionCount; ++i) {
        settings.enterOption[i] = optCR_[i]->isChecked();
    }
    return settings;
}

// The sentinel fields hold one character: setText cuts longer text to its first.
void frmMain::applySettings(const ReaderSettings& settings) {
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        chkTrack_[i]->setValue(settings.trackEnabled[i]);
    }
    chkStart_->setValue(settings.startSentinelEnabled);
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        txtSS_[i]->setText(QString::fromStdU16String(settings.startSentinel[i]));
    }
    chkEnd_->setValue(settings.endSentinelEnabled);
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        txtES_[i]->setText(QString::fromStdU16String(settings.endSentinel[i]));
    }
    for (std::size_t i = 0; i < kFormatOptionCount; ++i) {
        optFormat_[i]->setOn(settings.formatOption[i]);
    }
    for (std::size_t i = 0; i < kEnterOptionCount; ++i) {
        optCR_[i]->setOn(settings.enterOption[i]);
    }
}

void frmMain::cmdDefault_Click() { applySettings(factorySettings()); }

void frmMain::chkStart_Click() { applySentinelRule(*chkStart_, txtSS_); }

void frmMain::chkEnd_Click() { applySentinelRule(*chkEnd_, txtES_); }

// A ticked box (exactly 1; grayed counts as off) makes its fields usable and white; otherwise they are disabled
// and take the button-face colour. Their texts stay as they are.
void frmMain::applySentinelRule(const CheckBox& box, const std::array<QLineEdit*, kTrackCount>& fields) {
    const bool on = isOn(box.value());
    const QColor background = on ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
    for (QLineEdit* field : fields) {
        field->setEnabled(on);
    }
    for (QLineEdit* field : fields) {
        setRoleColor(*field, QPalette::Base, background);
    }
}

}  // namespace cdr
