#include "reader_window_fixture.h"

#include "protocol/reader_reply.h"

namespace cdr::test {

void ReaderWindowTest::connectScriptedReader(std::int16_t inputLength, std::int16_t outputLength) {
    attachScriptedReader(inputLength, outputLength);
    scriptedReplies_.push_back(replyWithStatus(static_cast<std::size_t>(inputLength), kStatusAccepted));
    click("cmdOnce");
    ASSERT_EQ(status(), QStringLiteral("Device Connected!"));
}

Bytes ReaderWindowTest::lastReport() const {
    const auto& written = platform_.writtenReports();
    return written.empty() ? Bytes{} : written.back().bytes;
}

std::vector<bool> ReaderWindowTest::ownEnabledStates() const {
    std::vector<bool> states;
    for (const QObject* control : window_.controls()) {
        if (const auto* widget = qobject_cast<const QWidget*>(control)) {
            states.push_back(!widget->testAttribute(Qt::WA_ForceDisabled));
        }
    }
    return states;
}

}  // namespace cdr::test
