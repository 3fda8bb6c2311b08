#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "ui/check_box.h"
#include "ui/option_button.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

// A user's click on a check box, from each state: grayed is never the result.
struct ClickCase {
    CheckState before;
    CheckState after;
};

class CheckBoxClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(CheckBoxClickTest, ClickGivesOnlyOffOrOn) {
    CheckBox box;
    ASSERT_TRUE(box.setValue(GetParam().before));
    box.click();
    EXPECT_EQ(box.value(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(States, CheckBoxClickTest,
                         ::testing::Values(ClickCase{kUnchecked, kChecked}, ClickCase{kChecked, kUnchecked},
                                           ClickCase{kGrayed, kChecked}),
                         [](const ::testing::TestParamInfo<ClickCase>& info) {
                             return "From" + checkStateName(info.param.before);
                         });

TEST(CheckBoxTest, SettingTheStateItHasEmitsNothingAndOutOfRangeIsRefused) {
    CheckBox box;
    box.setValue(kGrayed);
    QSignalSpy changes(&box, &QCheckBox::stateChanged);
    box.setValue(kGrayed);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(box.setValue(3));
    EXPECT_FALSE(box.setValue(-1));
    EXPECT_EQ(box.value(), kGrayed);
    EXPECT_EQ(changes.count(), 0);
    box.setValue(kUnchecked);
    EXPECT_EQ(changes.count(), 1);
}

// Three option buttons of one group and one of another group.
class OptionButtonTest : public ::testing::Test {
protected:
    QWidget group_;
    std::array<OptionButton*, 3> options_{new OptionButton({}, &group_), new OptionButton({}, &group_),
                                          new OptionButton({}, &group_)};

    std::array<bool, 3> states() const {
        return {options_[0]->isChecked(), options_[1]->isChecked(), options_[2]->isChecked()};
    }
};

TEST_F(OptionButtonTest, ClickOnAnOnOptionLeavesItOn) {
    options_[1]->setChecked(true);
    options_[1]->click();
    EXPECT_EQ(states(), (std::array{false, true, false}));
}

// The presenter keeps a group's exclusivity: the window shows one option on whatever turned it on.
TEST_F(WindowTest, ClickOnAnOffOptionTurnsTheRestOfItsGroupOff) {
    window_.SetControlsEnabled(true);
    find<QRadioButton>("optCR(2)")->click();
    EXPECT_FALSE(find<QRadioButton>("optCR(1)")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optFormat(0)")->isChecked());
    EXPECT_EQ(window_.currentSettings().enterOption, (std::array<bool, kEnterOptionCount>{false, false, true}));
}

// What assistive technology sees of an option button.
TEST_F(OptionButtonTest, AccessibleOptionIsARadioButtonWhosePressTurnsItOnNeverOff) {
    options_[0]->setText(QStringLiteral("Append Enter(CR) after card data "));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(options_[0]);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::RadioButton);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Append Enter(CR) after card data "));
    EXPECT_TRUE(accessible->state().checkable);
    EXPECT_FALSE(accessible->state().checked);

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(states(), (std::array{true, false, false}));
    EXPECT_TRUE(accessible->state().checked);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(states(), (std::array{true, false, false}));
}

TEST_F(OptionButtonTest, AccessiblePressDoesNothingOnADisabledOption) {
    group_.setEnabled(false);
    QAccessible::queryAccessibleInterface(options_[2])
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(states(), (std::array{false, false, false}));
}

TEST(CheckBoxAccessibleTest, CheckBoxReportsItsThreeStates) {
    CheckBox box(QStringLiteral("Track Start Sentinel"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Track Start Sentinel"));
    EXPECT_FALSE(accessible->state().checked);
    box.setValue(kChecked);
    EXPECT_TRUE(accessible->state().checked);
    EXPECT_FALSE(accessible->state().checkStateMixed);
    box.setValue(kGrayed);
    EXPECT_TRUE(accessible->state().checkStateMixed);
}

TEST_F(WindowTest, AccessibleStatusLabelIsStaticTextNamedByItsText) {
    auto* status = find<QLabel>("txtMsg");
    status->setText(QStringLiteral("Complete write config!"));
    status->setText(QStringLiteral("ERROR"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(status);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::StaticText);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("ERROR"));
}

// Both sentinel frames have labels "Track1" to "Track3"; a screen reader tells the six fields apart by name.
TEST_F(WindowTest, AccessibleSentinelFieldsAndFramesHaveDistinctNames) {
    const QStringList fields = elementNames("txtSS", kTrackCount) + elementNames("txtES", kTrackCount);
    const QStringList names{"Track Start Sentinel, Track1", "Track Start Sentinel, Track2",
                            "Track Start Sentinel, Track3", "Track End Sentinel, Track1",
                            "Track End Sentinel, Track2",   "Track End Sentinel, Track3"};
    for (int i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(find(fields[i]))->text(QAccessible::Name), names[i])
            << fields[i].toStdString();
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find("Frame3"))->text(QAccessible::Name), "Track Start Sentinel");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find("Frame4"))->text(QAccessible::Name), "Track End Sentinel");
}

// Arrow keys move the selection within an option group, round at its ends, as in a native radio group.
TEST_F(WindowTest, ArrowKeysMoveTheSelectionWithinAnOptionGroup) {
    window_.SetControlsEnabled(true);
    showWindow();
    find("optCR(1)")->setFocus();
    QTest::keyClick(find("optCR(1)"), Qt::Key_Down);
    EXPECT_TRUE(find<QRadioButton>("optCR(2)")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("optCR(1)")->isChecked());
    EXPECT_TRUE(find("optCR(2)")->hasFocus());
    QTest::keyClick(find("optCR(2)"), Qt::Key_Right);
    EXPECT_TRUE(find<QRadioButton>("optCR(0)")->isChecked());
    QTest::keyClick(find("optCR(0)"), Qt::Key_Up);
    EXPECT_TRUE(find<QRadioButton>("optCR(2)")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optFormat(0)")->isChecked());
    EXPECT_EQ(window_.currentSettings().enterOption, (std::array<bool, kEnterOptionCount>{false, false, true}));
}

}  // namespace
}  // namespace cdr::test
