#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "ui/check_box.h"
#include "ui/frm_main.h"

namespace cdr {

namespace {

const QString kContinuousCaption = QStringLiteral("Continuous");
const QString kCancelContinuousCaption = QStringLiteral("Cancel Continuous");
constexpr int kLastByteValue = 255;
// Past this many lines the log drops the lines at positions 1 .. kResultsTrimCount, keeping its first line.
constexpr int kResultsLimit = 300;
constexpr int kResultsTrimCount = 100;

// The next byte value; "FF" and no selection both go to "00".
void stepByteList(QComboBox& list) {
    const int position = list.currentIndex();
    list.setCurrentIndex(position >= 0 && position < kLastByteValue ? position + 1 : 0);
}

}  // namespace

void frmMain::PollDevice(bool& readerPresent) {
    if (!link_.deviceDetected()) {
        link_.FindTheHid();
    }
    readerPresent = link_.deviceDetected();
    if (readerPresent && isOn(chkAutoincrement_->value())) {
        stepByteList(*cboByte0_);
        stepByteList(*cboByte1_);
    }
    keepLogOnLastLine();
    trimResults();
}

void frmMain::trimResults() {
    if (lstResults_->count() <= kResultsLimit) {
        return;
    }
    for (int removed = 0; removed < kResultsTrimCount; ++removed) {
        delete lstResults_->takeItem(1);
    }
}

void frmMain::cmdContinuous_Click() {
    if (cmdContinuous_->text() == kContinuousCaption) {
        cmdContinuous_->setText(kCancelContinuousCaption);
        tmrContinuousDataCollect_->start();
        bool readerPresent = false;
        PollDevice(readerPresent);
    } else {
        cmdContinuous_->setText(kContinuousCaption);
        tmrContinuousDataCollect_->stop();
    }
}

// Continuous mode collects nothing: its tick has no action.
void frmMain::tmrContinuousDataCollect_Timer() {}

}  // namespace cdr
