#include <array>
#include <string>

#include "presenter/control_names.h"
#include "presenter_fixture.h"

namespace cdr::test {
namespace {

class SettingsControlsTest : public PresenterTest {
protected:
    void SetUp() override {
        PresenterTest::SetUp();
        presenter_.SetControlsEnabled(true);
    }

    void expectFields(std::span<const ControlId> fields, bool enabled,
                      const std::array<std::u16string, kTrackCount>& texts) const {
        for (std::size_t i = 0; i < kTrackCount; ++i) {
            EXPECT_EQ(control(fields[i]).enabled, enabled) << fields[i].name();
            EXPECT_EQ(control(fields[i]).text, texts[i]) << fields[i].name();
        }
    }
};

// The sentinel rule by check state: only 1 counts as on; texts are kept whatever the state.
class SentinelRuleTest : public SettingsControlsTest, public ::testing::WithParamInterface<CheckState> {};

TEST_P(SentinelRuleTest, FieldsFollowTheirCheckBoxAndKeepTheirTexts) {
    ReaderSettings settings;
    settings.startSentinel = {u"1", u"2", u"3"};
    settings.endSentinel = {u"4", u"5", u"6"};
    presenter_.applySettings(settings);
    settings.startSentinelEnabled = GetParam();
    settings.endSentinelEnabled = GetParam();
    presenter_.applySettings(settings);

    expectFields(kTxtSS, isOn(GetParam()), {u"1", u"2", u"3"});
    expectFields(kTxtES, isOn(GetParam()), {u"4", u"5", u"6"});
    EXPECT_EQ(presenter_.currentSettings(), settings);
}

INSTANTIATE_TEST_SUITE_P(States, SentinelRuleTest, ::testing::Values(kChecked, kGrayed, kUnchecked),
                         [](const auto& info) { return "State" + std::to_string(info.param); });

TEST_F(SettingsControlsTest, FactoryResetClearsTickedSentinelsAndTheirTexts) {
    ReaderSettings settings;
    settings.startSentinelEnabled = kChecked;
    settings.startSentinel = {u"%", u";", u"+"};
    settings.endSentinelEnabled = kGrayed;
    settings.endSentinel = {u"?", u"", u"!"};
    settings.trackEnabled = {kUnchecked, kGrayed, kChecked};
    settings.formatOption = {false, false};
    settings.enterOption = {true, false, false};
    presenter_.applySettings(settings);

    click("cmdDefault");
    EXPECT_EQ(presenter_.currentSettings(), factorySettings());
    expectFields(kTxtSS, false, {u"", u"", u""});
    expectFields(kTxtES, false, {u"", u"", u""});
}

// Options set in order: on turns the rest of its group off, off touches no other option.
struct OptionCase {
    const char* name;
    std::array<bool, kEnterOptionCount> given;
    std::array<bool, kEnterOptionCount> shown;
};

class OptionGroupTest : public SettingsControlsTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionGroupTest, OptionsAreSetInOrderWithTheGroupRule) {
    ReaderSettings settings;
    settings.enterOption = GetParam().given;
    presenter_.applySettings(settings);
    EXPECT_EQ(presenter_.currentSettings().enterOption, GetParam().shown);
    EXPECT_EQ(presenter_.currentSettings().formatOption, factorySettings().formatOption);
}

INSTANTIATE_TEST_SUITE_P(Groups, OptionGroupTest,
                         ::testing::Values(OptionCase{"AllOff", {false, false, false}, {false, false, false}},
                                           OptionCase{"LastOnWins", {true, true, true}, {false, false, true}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsControlsTest, SentinelTextFromTheProgramIsCutToItsFirstCharacter) {
    ReaderSettings settings;
    settings.startSentinel = {u"abc", u"", u"xy"};
    presenter_.applySettings(settings);
    EXPECT_EQ(presenter_.currentSettings().startSentinel, (std::array<std::u16string, 3>{u"a", u"", u"x"}));
}

TEST_F(SettingsControlsTest, UserTickingEndSentinelRunsTheRuleAndEachChangeIsHeld) {
    ReaderSettings settings;
    settings.endSentinel = {u"a", u"b", u""};
    presenter_.applySettings(settings);

    userChecks("chkEnd", kChecked);
    expectFields(kTxtES, true, {u"a", u"b", u""});
    userChecks("chkEnd", kUnchecked);
    expectFields(kTxtES, false, {u"a", u"b", u""});

    userChecks("chkTrack(1)", kUnchecked);
    userChecks("optCR(2)", kChecked);
    userChecks("optFormat(1)", kChecked);
    const ReaderSettings held = presenter_.currentSettings();
    EXPECT_EQ(held.trackEnabled, (std::array<CheckState, 3>{kChecked, kUnchecked, kChecked}));
    EXPECT_EQ(held.enterOption, (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(held.formatOption, (std::array<bool, 2>{false, true}));
}

TEST_F(SettingsControlsTest, UserTextIsHeldAndASentinelFieldKeepsOneCharacter) {
    userChecks("chkStart", kChecked);
    userTypes("txtSS(1)", u"%");
    userTypes("txtSS(2)", u"?;");

    EXPECT_EQ(presenter_.currentSettings().startSentinel, (std::array<std::u16string, 3>{u"", u"%", u"?"}));
    EXPECT_EQ(view_.calls.back(), "setText txtSS(2)");
}

}  // namespace
}  // namespace cdr::test
