#include <algorithm>
#include <string>

#include <QListWidget>

#include "protocol/reader_reply.h"
#include "reader_window_fixture.h"

namespace cdr::test {
namespace {

// Connect disables the focused Connect button on its way; it gets the focus back, so the next Tab goes on from it.
TEST_F(ReaderWindowTest, ConnectButtonKeepsTheFocusAcrossConnectAndDisconnect) {
    attachVirtualReader();
    window_.activateWindow();
    find("cmdOnce")->setFocus();

    click("cmdOnce");
    ASSERT_EQ(connectCaption(), QStringLiteral("Disconnect"));
    EXPECT_EQ(window_.focusWidget(), find("cmdOnce"));

    click("cmdOnce");
    ASSERT_EQ(connectCaption(), QStringLiteral("Connect"));
    EXPECT_EQ(window_.focusWidget(), find("cmdOnce"));
}

// Without the diagnostic panel the result list stays empty; with it, every platform call adds its line.
TEST_F(ReaderWindowTest, DiagnosticPanelListsEveryPlatformCall) {
    attachVirtualReader();
    auto* results = find<QListWidget>("lstResults");
    click("cmdOnce");
    EXPECT_EQ(results->count(), 0);
    EXPECT_TRUE(results->isHidden());
    click("cmdOnce");

    window_.showDiagnosticPanel();
    click("cmdOnce");
    EXPECT_TRUE(results->isVisible());
    ASSERT_GT(results->count(), 0);
    EXPECT_EQ(results->item(0)->text(), QStringLiteral("GetHidGuid"));
    EXPECT_TRUE(results->geometry().right() < window_.width());
}

TEST_F(ReaderWindowTest, TimeOutLosesTheDeviceWithoutReusingOrDoubleClosingItsHandles) {
    connectScriptedReader();  // the script then has no further answer
    const std::vector<hid::Handle> handles = platform_.openHandles();
    ASSERT_EQ(handles.size(), 2u);

    click("cmdVersion");
    EXPECT_EQ(status(), QStringLiteral("ERROR"));
    EXPECT_EQ(connectCaption(), QStringLiteral("Disconnect"));  // the Lost state still counts as connected
    EXPECT_TRUE(platform_.openHandles().empty());
    const std::size_t written = reportsWritten();

    click("cmdVersion");
    EXPECT_EQ(status(), QStringLiteral("ERROR"));
    EXPECT_EQ(reportsWritten(), written);

    click("cmdOnce");
    EXPECT_EQ(status(), QStringLiteral("Disconnect!"));
    EXPECT_EQ(connectCaption(), QStringLiteral("Connect"));
    for (const hid::Handle handle : handles) {
        EXPECT_EQ(platform_.closeCount(handle), 1);
    }
    EXPECT_EQ(platform_.staleHandleUses(), 0);
}

TEST_F(ReaderWindowTest, ClosingTheWindowClosesTheDeviceOnce) {
    attachVirtualReader();
    click("cmdOnce");
    const std::vector<hid::Handle> handles = platform_.openHandles();
    ASSERT_EQ(handles.size(), 2u);

    window_.close();
    for (const hid::Handle handle : handles) {
        EXPECT_EQ(platform_.closeCount(handle), 1);
    }
}

struct VersionCase {
    const char* name;
    std::int16_t inputLength;
    Bytes versionBytes;  // at reply index 11 onwards
    const char* status;
};

void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.name; }

class VersionReplyTest : public ReaderWindowTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionReplyTest, ShowsReplyBytes11To14) {
    const VersionCase& c = GetParam();
    connectScriptedReader(c.inputLength);
    // Everything around the version is filled, so that only bytes 11 .. 14 can make the text.
    Bytes reply(static_cast<std::size_t>(c.inputLength), 0x58);
    reply[kReplyStatusIndex] = kStatusAccepted;
    std::ranges::copy(c.versionBytes, reply.begin() + kReplyVersionIndex);
    scriptedReplies_.push_back(reply);

    click("cmdVersion");
    EXPECT_EQ(status(), QString::fromUtf8(c.status));
}

INSTANTIATE_TEST_SUITE_P(Replies, VersionReplyTest,
                         ::testing::Values(VersionCase{"Version2_10", 64, {0x32, 0x2E, 0x31, 0x30}, "Ver.:2.10"},
                                           VersionCase{"MarkupBytes", 64, {0x3C, 0x68, 0x72, 0x3E}, "Ver.:<hr>"},
                                           VersionCase{"PlaceholderBytes", 64, {0x25, 0x31, 0x20, 0x20}, "Ver.:%1  "},
                                           VersionCase{"ReportEndsInsideTheVersion",
                                                       14,
                                                       {0x32, 0x2E, 0x31},
                                                       "The reader's reply was not understood."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderWindowTest, VirtualReaderReportsItsVersion) {
    attachVirtualReader();
    click("cmdOnce");
    click("cmdVersion");
    EXPECT_EQ(status(), QStringLiteral("Ver.:1.05"));
}

}  // namespace
}  // namespace cdr::test
