#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "ui/check_box.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

const QStringList kAlwaysUsable{QStringLiteral("fraSendAndReceive"), QStringLiteral("cmdOnce")};
const QStringList kHiddenControls{QStringLiteral("cmdContinuous"), QStringLiteral("lstResults"),
                                  QStringLiteral("fraBytesReceived"), QStringLiteral("fraBytesToSend")};
const QStringList kInsideHiddenControls{QStringLiteral("txtBytesReceived"), QStringLiteral("cboByte0"),
                                        QStringLiteral("cboByte1"), QStringLiteral("chkAutoincrement")};

QStringList sentinelFieldNames() { return elementNames("txtSS", kTrackCount) + elementNames("txtES", kTrackCount); }

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }

class StartupTest : public WindowTest {
protected:
    void SetUp() override { window_.Form_Load(); }

    QStringList widgetNames() const {
        QStringList names;
        for (const QObject* control : window_.controls()) {
            if (control->isWidgetType()) {
                names << control->objectName();
            }
        }
        return names;
    }
};

TEST_F(WindowTest, AsLoadedEveryControlIsEnabledAndOnlyTheDiagnosticControlsAreHidden) {
    for (const QObject* control : window_.controls()) {
        if (const auto* widget = qobject_cast<const QWidget*>(control)) {
            EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
            EXPECT_EQ(widget->isHidden(), kHiddenControls.contains(widget->objectName()))
                << widget->objectName().toStdString();
        }
    }
    EXPECT_EQ(find<QPushButton>("cmdOnce")->text(), QStringLiteral("Connect"));
    EXPECT_EQ(window_.currentSettings(), factorySettings());
}

TEST_F(StartupTest, OnlyTheConnectButtonIsUsable) {
    EXPECT_TRUE(window_.isVisible());
    for (const QString& name : widgetNames()) {
        EXPECT_EQ(usable(name), kAlwaysUsable.contains(name)) << name.toStdString();
    }
    EXPECT_EQ(find<QPushButton>("cmdOnce")->text(), QStringLiteral("Connect"));
    EXPECT_TRUE(find<QLabel>("txtMsg")->text().isEmpty());
}

TEST_F(StartupTest, DiagnosticControlsAreNotShown) {
    for (const QString& name : kHiddenControls + kInsideHiddenControls) {
        EXPECT_FALSE(find(name)->isVisible()) << name.toStdString();
    }
}

// The panel's result list and byte lists cost start-up memory; they are built when first needed.
TEST_F(StartupTest, DiagnosticPanelIsNotBuiltUntilItIsNeeded) {
    EXPECT_EQ(window_.findChild<QComboBox*>(), nullptr);
    EXPECT_EQ(window_.findChild<QListWidget*>(), nullptr);

    window_.showDiagnosticPanel();
    EXPECT_TRUE(find("lstResults")->isVisible());
    EXPECT_TRUE(find("cboByte0")->isVisible());
    EXPECT_FALSE(ownEnabled("cboByte0"));
}

TEST_F(StartupTest, SettingsShowFactoryValuesAndSentinelFieldsAreOffAndButtonFaced) {
    EXPECT_EQ(window_.currentSettings(), factorySettings());
    for (const QString& name : sentinelFieldNames()) {
        EXPECT_FALSE(ownEnabled(name)) << name.toStdString();
        EXPECT_EQ(find(name)->palette().color(QPalette::Base), buttonFace()) << name.toStdString();
    }
}

TEST_F(StartupTest, ByteListsHoldEveryByteInHexWithTheirFirstSelections) {
    for (const char* name : {"cboByte0", "cboByte1"}) {
        auto* list = find<QComboBox>(name);
        ASSERT_EQ(list->count(), 256) << name;
        EXPECT_FALSE(list->isEditable());
        for (int value : {0, 1, 9, 10, 15, 16, 127, 160, 255}) {
            EXPECT_EQ(list->itemText(value), QString::asprintf("%02X", value)) << name;
        }
    }
    EXPECT_EQ(find<QComboBox>("cboByte0")->currentText(), QStringLiteral("01"));
    EXPECT_EQ(find<QComboBox>("cboByte1")->currentText(), QStringLiteral("00"));
    EXPECT_EQ(find<CheckBox>("chkAutoincrement")->value(), kChecked);
}

TEST_F(StartupTest, ContinuousTimerIsDisarmedAtOneSecond) {
    auto* timer = find<QTimer>("tmrContinuousDataCollect");
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
}

// SetControlsEnabled over both values, with the sentinel check boxes ticked or not.
struct GroupEnableCase {
    bool enable;
    CheckState sentinelBoxes;
};

class GroupEnableTest : public StartupTest, public ::testing::WithParamInterface<GroupEnableCase> {};

TEST_P(GroupEnableTest, WalkSetsEveryControlThenKeepsConnectUsableAndSentinelsFollowTheirBoxes) {
    const auto [enable, sentinelBoxes] = GetParam();
    ReaderSettings settings;
    settings.startSentinelEnabled = sentinelBoxes;
    settings.endSentinelEnabled = sentinelBoxes;
    window_.applySettings(settings);

    window_.SetControlsEnabled(enable);

    const bool sentinelsOn = isOn(sentinelBoxes);
    for (const QString& name : widgetNames()) {
        bool expected = enable;
        if (kAlwaysUsable.contains(name)) {
            expected = true;
        } else if (sentinelFieldNames().contains(name)) {
            expected = sentinelsOn;
        }
        EXPECT_EQ(ownEnabled(name), expected) << name.toStdString();
    }
    for (const QString& name : sentinelFieldNames()) {
        EXPECT_EQ(usable(name), enable && sentinelsOn) << name.toStdString();
        EXPECT_EQ(find(name)->palette().color(QPalette::Base), sentinelsOn ? QColor(Qt::white) : buttonFace());
    }
    for (const QString& name : kHiddenControls + kInsideHiddenControls) {
        EXPECT_FALSE(find(name)->isVisible()) << name.toStdString();
    }
    EXPECT_EQ(find<QTimer>("tmrContinuousDataCollect")->isActive(), enable);
}

INSTANTIATE_TEST_SUITE_P(AllValues, GroupEnableTest,
                         ::testing::Values(GroupEnableCase{true, kUnchecked}, GroupEnableCase{true, kChecked},
                                           GroupEnableCase{true, kGrayed}, GroupEnableCase{false, kUnchecked},
                                           GroupEnableCase{false, kChecked}),
                         [](const ::testing::TestParamInfo<GroupEnableCase>& info) {
                             return std::string(info.param.enable ? "Enable" : "Disable") + "WithSentinelBoxes" +
                                    checkStateName(info.param.sentinelBoxes);
                         });

// The file dialog component has no enabled state; the walk passes it and still reaches what follows it.
TEST_F(StartupTest, WalkPassesTheFileDialogAndReachesTheControlsAfterIt) {
    const auto& controls = window_.controls();
    const auto dialog = std::find_if(controls.begin(), controls.end(), [](const QObject* control) {
        return control->objectName() == QStringLiteral("CommonDialog1");
    });
    ASSERT_NE(dialog, controls.end());
    ASSERT_NE(dialog + 1, controls.end());

    window_.SetControlsEnabled(true);
    for (auto after = dialog + 1; after != controls.end(); ++after) {
        if (const auto* widget = qobject_cast<const QWidget*>(*after)) {
            EXPECT_TRUE(ownEnabled(widget->objectName())) << widget->objectName().toStdString();
        }
    }
    EXPECT_TRUE(find<QTimer>("tmrContinuousDataCollect")->isActive());
}

TEST_F(StartupTest, ClosingTheWindowIsNeverCancelled) {
    EXPECT_TRUE(window_.close());
    EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace cdr::test
