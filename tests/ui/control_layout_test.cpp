#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include "window_fixture.h"

namespace cdr::test {
namespace {

// The window's controls as they must appear: class, container ("" for the window), caption, geometry in pixels
// relative to the container's top-left corner, tab index and whether it starts hidden.
struct ExpectedControl {
    const char* name;
    const char* className;
    const char* container;
    const char* caption;
    QRect geometry;
    int tabIndex;
    bool hidden = false;
};

const ExpectedControl kExpectedControls[] = {
    {"fraSendAndReceive", "QGroupBox", "", "Send and Receive Data", {12, 6, 581, 57}, 5},
    {"cmdRead", "QPushButton", "fraSendAndReceive", "Read Setting Config", {24, 22, 147, 31}, 11},
    {"cmdWrite", "QPushButton", "fraSendAndReceive", "Write Setting Config", {169, 22, 147, 31}, 10},
    {"cmdVersion", "QPushButton", "fraSendAndReceive", "Version", {316, 22, 119, 31}, 12},
    {"cmdOnce", "QPushButton", "fraSendAndReceive", "Connect", {462, 22, 109, 29}, 6},
    {"cmdContinuous", "QPushButton", "fraSendAndReceive", "Continuous", {390, -4, 97, 25}, 7, true},
    {"frmSet", "QWidget", "", "", {12, 66, 581, 259}, 13},
    {"Frame6", "QGroupBox", "frmSet", "", {14, 0, 427, 39}, 43},
    {"txtMsg", "QLabel", "Frame6", "", {10, 12, 411, 21}, 44},
    {"cmdDefault", "QPushButton", "frmSet", "Factory Reset", {460, 4, 107, 31}, 45},
    {"Frame1", "QGroupBox", "frmSet", "TRACK", {10, 46, 123, 103}, 39},
    {"chkTrack(0)", "cdr::CheckBox", "Frame1", "TRACK 1", {20, 18, 79, 19}, 42},
    {"chkTrack(1)", "cdr::CheckBox", "Frame1", "TRACK 2", {20, 44, 77, 15}, 41},
    {"chkTrack(2)", "cdr::CheckBox", "Frame1", "TRACK 3", {20, 70, 77, 15}, 40},
    {"Frame3", "cdr::EdgeCaptionGroupBox", "frmSet", "", {136, 46, 173, 103}, 28},
    {"chkStart", "cdr::CheckBox", "Frame3", "Track Start Sentinel", {10, -4, 155, 27}, 29},
    {"Label1(0)", "QLabel", "Frame3", "Track1", {34, 26, 38, 12}, 35},
    {"Label1(1)", "QLabel", "Frame3", "Track2", {34, 51, 38, 12}, 34},
    {"Label1(2)", "QLabel", "Frame3", "Track3", {34, 76, 38, 12}, 33},
    {"txtSS(0)", "QLineEdit", "Frame3", "", {82, 22, 57, 23}, 32},
    {"txtSS(1)", "QLineEdit", "Frame3", "", {82, 45, 57, 23}, 31},
    {"txtSS(2)", "QLineEdit", "Frame3", "", {82, 68, 57, 23}, 30},
    {"Frame4", "cdr::EdgeCaptionGroupBox", "frmSet", "", {312, 46, 165, 103}, 20},
    {"chkEnd", "cdr::CheckBox", "Frame4", "Track End Sentinel", {6, -4, 145, 23}, 24},
    {"Label1(3)", "QLabel", "Frame4", "Track1", {22, 24, 38, 12}, 27},
    {"Label1(4)", "QLabel", "Frame4", "Track2", {22, 49, 38, 12}, 26},
    {"Label1(5)", "QLabel", "Frame4", "Track3", {22, 74, 38, 12}, 25},
    {"txtES(0)", "QLineEdit", "Frame4", "", {66, 22, 55, 23}, 23},
    {"txtES(1)", "QLineEdit", "Frame4", "", {66, 45, 55, 23}, 22},
    {"txtES(2)", "QLineEdit", "Frame4", "", {66, 68, 55, 23}, 21},
    {"cmdLoad", "QPushButton", "frmSet", "Load Config", {482, 50, 87, 43}, 15},
    {"cmdSave", "QPushButton", "frmSet", "Save Config", {482, 94, 87, 47}, 14},
    {"Frame2", "QGroupBox", "frmSet", "Card Read Format", {8, 154, 145, 97}, 36},
    {"optFormat(0)", "cdr::OptionButton", "Frame2", "ISO", {20, 24, 87, 21}, 38},
    {"optFormat(1)", "cdr::OptionButton", "Frame2", "AAMVA", {20, 50, 87, 21}, 37},
    {"Frame5", "QGroupBox", "frmSet", "Enter", {156, 154, 417, 97}, 16},
    {"optCR(0)", "cdr::OptionButton", "Frame5", "None", {36, 18, 189, 23}, 17},
    {"optCR(1)", "cdr::OptionButton", "Frame5", "Append Enter(CR) after each track card data ", {36, 40, 289, 23}, 18},
    {"optCR(2)", "cdr::OptionButton", "Frame5", "Append Enter(CR) after card data ", {36, 62, 245, 23}, 19},
    {"lstResults", "QListWidget", "", "", {602, 8, 363, 304}, 0, true},
    {"fraBytesReceived", "QGroupBox", "", "Bytes Received", {604, 122, 97, 113}, 2, true},
    {"txtBytesReceived", "QLineEdit", "fraBytesReceived", "", {18, 24, 61, 73}, 3},
    {"fraBytesToSend", "QGroupBox", "", "Bytes to Send", {600, 238, 145, 113}, 1, true},
    {"cboByte0", "QComboBox", "fraBytesToSend", "", {28, 22, 81, 20}, 9},
    {"cboByte1", "QComboBox", "fraBytesToSend", "", {28, 54, 81, 20}, 8},
    {"chkAutoincrement", "cdr::CheckBox", "fraBytesToSend", "Autoincrement values", {16, 80, 161, 25}, 4},
};

QString captionOf(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        return group->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    return {};
}

class ControlLayoutTest : public WindowTest, public ::testing::WithParamInterface<ExpectedControl> {};

TEST_P(ControlLayoutTest, ControlHasItsKindCaptionPlaceAndVisibility) {
    const ExpectedControl& expected = GetParam();
    QWidget* control = find(QString::fromUtf8(expected.name));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(expected.className)) << control->metaObject()->className();
    EXPECT_EQ(captionOf(*control), QString::fromUtf8(expected.caption));
    EXPECT_EQ(control->isHidden(), expected.hidden);

    const QString containerName = QString::fromUtf8(expected.container);
    QWidget* container = containerName.isEmpty() ? &window_ : find(containerName);
    ASSERT_NE(container, nullptr);
    const QPoint offset = control->mapTo(&window_, QPoint(0, 0)) - container->mapTo(&window_, QPoint(0, 0));
    EXPECT_EQ(offset, expected.geometry.topLeft());
    EXPECT_EQ(control->height(), expected.geometry.height());
    // A caption wider than its control at the font in use widens the control to the right.
    EXPECT_GE(control->width(), expected.geometry.width());
    // A control across its group box's top edge is laid beside the group box so that nothing clips it.
    QWidget* parent = expected.geometry.top() < 0 ? container->parentWidget() : container;
    EXPECT_EQ(control->parentWidget(), parent);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ControlLayoutTest, ::testing::ValuesIn(kExpectedControls),
    [](const ::testing::TestParamInfo<ExpectedControl>& info) {
        return QString::fromUtf8(info.param.name).remove(QLatin1Char('(')).remove(QLatin1Char(')')).toStdString();
    });

TEST_F(WindowTest, TabKeyVisitsTheControlsInTabIndexOrder) {
    std::vector<std::pair<int, QString>> byTabIndex;
    for (const ExpectedControl& expected : kExpectedControls) {
        if ((find(QString::fromUtf8(expected.name))->focusPolicy() & Qt::TabFocus) != 0) {
            byTabIndex.emplace_back(expected.tabIndex, QString::fromUtf8(expected.name));
        }
    }
    std::sort(byTabIndex.begin(), byTabIndex.end());
    QStringList expectedOrder;
    for (const auto& entry : byTabIndex) {
        expectedOrder << entry.second;
    }
    ASSERT_EQ(expectedOrder.size(), 26);  // an option group is one tab stop: its option that is on
    EXPECT_TRUE(expectedOrder.contains("optCR(1)"));
    EXPECT_FALSE(expectedOrder.contains("optCR(0)"));

    QWidget* first = find(expectedOrder.front());
    QStringList chain{first->objectName()};
    for (QWidget* next = first->nextInFocusChain(); next != first; next = next->nextInFocusChain()) {
        if (expectedOrder.contains(next->objectName())) {
            chain << next->objectName();
        }
    }
    EXPECT_EQ(chain, expectedOrder);
}

TEST_F(WindowTest, WindowHasItsCaptionIconAndFixedClientArea) {
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("VELK CDR55P4W  V1.1"));
    EXPECT_FALSE(window_.windowIcon().isNull());
    EXPECT_EQ(window_.windowIcon().availableSizes().value(0), QSize(24, 24));
    EXPECT_EQ(window_.size(), QSize(599, 333));
    EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
}

TEST_F(WindowTest, CollectionHoldsEveryControlOnceIncludingTimerAndFileDialog) {
    QStringList names;
    for (const QObject* control : window_.controls()) {
        names << control->objectName();
    }
    EXPECT_EQ(names.size(), static_cast<qsizetype>(std::size(kExpectedControls)) + 2);
    EXPECT_EQ(names.removeDuplicates(), 0);
    for (const ExpectedControl& expected : kExpectedControls) {
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected.name))) << expected.name;
    }
    EXPECT_NE(find<QTimer>(QStringLiteral("tmrContinuousDataCollect")), nullptr);
    QObject* dialog = window_.control(QStringLiteral("CommonDialog1"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isWidgetType());
}

}  // namespace
}  // namespace cdr::test
