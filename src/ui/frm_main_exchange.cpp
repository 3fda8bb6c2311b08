#include <QListWidget>
#include <QPushButton>

#include "protocol/bcc.h"
#include "ui/frm_main.h"
#include "ui/status_line.h"

namespace cdr {

namespace {

const QString kNotConnectedCaption = QStringLiteral("CONNECT");

}  // namespace

bool frmMain::SendReaderCommand(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply) {
    return readerCommandAllowed() && reportExchange(session_.exchange(payload, reply));
}

bool frmMain::readerCommandAllowed() {
    showMessage(u"");
    if (!isConnected()) {
        showMessage(kNotConnectedText);
        return false;
    }
    return true;
}

bool frmMain::reportExchange(ExchangeResult result) {
    showMessage(exchangeStatusText(result));
    return result == ExchangeResult::Accepted;
}

bool frmMain::isConnected() const { return cmdOnce_->text().toUpper() != kNotConnectedCaption; }

std::uint8_t frmMain::COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen,
                                  std::uint8_t BCCTYPE) const {
    return cdr::COM_BCCCalc(byteData, datalen, BCCTYPE);
}

// Unless the diagnostic panel is shown the log stays empty; the hook keeps the list on its newest line (none while
// it is empty).
void frmMain::afterPlatformCall(std::string_view label) {
    if (diagnostic_) {
        addResultLine(label, platform_.lastError().text);
    }
    keepLogOnLastLine();
}

void frmMain::keepLogOnLastLine() { lstResults_->setCurrentRow(lstResults_->count() - 1); }

void frmMain::showStatus(std::string_view text) {
    setStatusLine(*txtMsg_, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// Replaces the whole status line.
void frmMain::showMessage(std::u16string_view text) {
    setStatusLine(*txtMsg_, QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void frmMain::showFileMessage(const QString& text, const QString& fileName) { setStatusLine(*txtMsg_, text, fileName); }

}  // namespace cdr
