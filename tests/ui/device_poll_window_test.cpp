#include <string>

#include <QComboBox>
#include <QListWidget>
#include <QTimer>

#include "reader_window_fixture.h"
#include "ui/check_box.h"

namespace cdr::test {
namespace {

struct StepCase {
    const char* name;
    bool readerAttached;
    CheckState autoincrement;
    int byte0Before;
    int byte1Before;
    int byte0After;
    int byte1After;
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

class ByteListStepTest : public ReaderWindowTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ByteListStepTest, PollStepsBothListsOnlyWhenAReaderIsPresentAndAutoincrementIsTicked) {
    const StepCase& c = GetParam();
    if (c.readerAttached) {
        attachVirtualReader();
    }
    find<CheckBox>("chkAutoincrement")->setValue(c.autoincrement);
    find<QComboBox>("cboByte0")->setCurrentIndex(c.byte0Before);
    find<QComboBox>("cboByte1")->setCurrentIndex(c.byte1Before);

    bool readerPresent = !c.readerAttached;
    window_.PollDevice(readerPresent);
    EXPECT_EQ(readerPresent, c.readerAttached);
    EXPECT_EQ(find<QComboBox>("cboByte0")->currentIndex(), c.byte0After);
    EXPECT_EQ(find<QComboBox>("cboByte1")->currentIndex(), c.byte1After);
}

INSTANTIATE_TEST_SUITE_P(Polls, ByteListStepTest,
                         ::testing::Values(StepCase{"FirstPollAfterStartUp", true, kChecked, 1, 0, 2, 1},
                                           StepCase{"FFWrapsTo00", true, kChecked, 0xFF, 0x7F, 0x00, 0x80},
                                           StepCase{"NoSelectionBecomes00", true, kChecked, -1, 5, 0, 6},
                                           StepCase{"AutoincrementOff", true, kUnchecked, 1, 0, 1, 0},
                                           StepCase{"NoReader", false, kChecked, 1, 0, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderWindowTest, PollWithTheReaderOpenNeitherSearchesNorTalksToIt) {
    attachVirtualReader();
    click("cmdOnce");
    const int searches = platform_.classDevsCalls();
    const std::size_t written = reportsWritten();

    bool readerPresent = false;
    window_.PollDevice(readerPresent);
    EXPECT_TRUE(readerPresent);
    EXPECT_EQ(platform_.classDevsCalls(), searches);
    EXPECT_EQ(reportsWritten(), written);
}

struct TrimCase {
    int linesBefore;
    int linesAfter;
};

void PrintTo(const TrimCase& c, std::ostream* out) { *out << c.linesBefore; }

class ResultsTrimTest : public ReaderWindowTest, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(ResultsTrimTest, PastThreeHundredLinesTheFirstAndTheLastTwoHundredStay) {
    const auto [linesBefore, linesAfter] = GetParam();
    auto* results = find<QListWidget>("lstResults");
    for (int line = 0; line < linesBefore; ++line) {
        results->addItem(QString::number(line));
    }

    bool readerPresent = false;
    window_.PollDevice(readerPresent);
    ASSERT_EQ(results->count(), linesAfter);
    EXPECT_EQ(results->currentRow(), linesAfter - 1);
    if (linesAfter > 1) {
        EXPECT_EQ(results->item(0)->text(), QStringLiteral("0"));
        EXPECT_EQ(results->item(1)->text(), QString::number(linesBefore - linesAfter + 1));
        EXPECT_EQ(results->item(linesAfter - 1)->text(), QString::number(linesBefore - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, ResultsTrimTest,
                         ::testing::Values(TrimCase{0, 0}, TrimCase{300, 300}, TrimCase{301, 201}),
                         [](const auto& info) { return "Lines" + std::to_string(info.param.linesBefore); });

TEST_F(ReaderWindowTest, ContinuousTogglesCaptionAndTimerAndPollsOnceWhenStarting) {
    attachVirtualReader();
    click("cmdOnce");  // the button is usable only while the controls are enabled
    auto* timer = qobject_cast<QTimer*>(window_.control("tmrContinuousDataCollect"));
    ASSERT_NE(timer, nullptr);
    auto* byte0 = find<QComboBox>("cboByte0");
    const int before = byte0->currentIndex();

    click("cmdContinuous");
    EXPECT_EQ(find<QPushButton>("cmdContinuous")->text(), QStringLiteral("Cancel Continuous"));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(byte0->currentIndex(), before + 1);

    click("cmdContinuous");
    EXPECT_EQ(find<QPushButton>("cmdContinuous")->text(), QStringLiteral("Continuous"));
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(byte0->currentIndex(), before + 1);
}

}  // namespace
}  // namespace cdr::test
