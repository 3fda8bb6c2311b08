#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/check_box.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }

class SettingsControlsTest : public WindowTest {
protected:
    void SetUp() override {
        window_.Form_Load();
        window_.SetControlsEnabled(true);
    }

    void pressFactoryReset() { find<QPushButton>("cmdDefault")->click(); }

    void expectFields(const char* name, bool enabled, const QColor& background, const QStringList& texts) {
        const QStringList names = elementNames(name, kTrackCount);
        for (int i = 0; i < kTrackCount; ++i) {
            auto* field = find<QLineEdit>(names[i]);
            EXPECT_EQ(ownEnabled(names[i]), enabled) << names[i].toStdString();
            EXPECT_EQ(field->palette().color(QPalette::Base), background) << names[i].toStdString();
            EXPECT_EQ(field->text(), texts[i]) << names[i].toStdString();
        }
    }
};

ReaderSettings customSettings() {
    ReaderSettings settings;
    settings.trackEnabled = {kUnchecked, kGrayed, kChecked};
    settings.formatOption = {false, true};
    settings.startSentinelEnabled = kChecked;
    settings.startSentinel = {u"%", u";", u"+"};
    settings.endSentinelEnabled = kGrayed;
    settings.endSentinel = {u"?", u"", u"\u00e9"};
    settings.enterOption = {false, false, true};
    return settings;
}

TEST_F(SettingsControlsTest, ControlsGiveBackTheSettingsPutIntoThem) {
    window_.applySettings(customSettings());
    EXPECT_EQ(window_.currentSettings(), customSettings());
    expectFields("txtSS", true, Qt::white, {"%", ";", "+"});
    expectFields("txtES", false, buttonFace(), {"?", "", QStringLiteral(u"\u00e9")});
}

// Each option set in turn: on turns the rest of its group off, off touches no other option.
struct OptionCase {
    const char* label;
    std::array<bool, kFormatOptionCount> formatGiven;
    std::array<bool, kEnterOptionCount> enterGiven;
    std::array<bool, kFormatOptionCount> formatShown;
    std::array<bool, kEnterOptionCount> enterShown;
};

TEST_F(SettingsControlsTest, FactoryResetClearsATickedStartSentinelAndItsTexts) {
    ReaderSettings settings = customSettings();
    settings.endSentinelEnabled = kChecked;
    window_.applySettings(settings);

    pressFactoryReset();

    EXPECT_EQ(window_.currentSettings(), factorySettings());
    expectFields("txtSS", false, buttonFace(), {"", "", ""});
    expectFields("txtES", false, buttonFace(), {"", "", ""});
}

// The sentinel rule by check state: only 1 counts as on; texts are kept whatever the state.
struct SentinelRuleCase {
    CheckState state;
    bool fieldsOn;
};

class SentinelRuleTest : public SettingsControlsTest, public ::testing::WithParamInterface<SentinelRuleCase> {};

TEST_P(SentinelRuleTest, FieldsFollowTheirCheckBoxAndKeepTheirTexts) {
    const auto [state, fieldsOn] = GetParam();
    ReaderSettings settings;
    settings.startSentinel = {u"1", u"2", u"3"};
    settings.endSentinel = {u"4", u"5", u"6"};
    window_.applySettings(settings);

    settings.startSentinelEnabled = state;
    settings.endSentinelEnabled = state;
    window_.applySettings(settings);

    const QColor background = fieldsOn ? QColor(Qt::white) : buttonFace();
    expectFields("txtSS", fieldsOn, background, {"1", "2", "3"});
    expectFields("txtES", fieldsOn, background, {"4", "5", "6"});
}

INSTANTIATE_TEST_SUITE_P(States, SentinelRuleTest,
                         ::testing::Values(SentinelRuleCase{kChecked, true}, SentinelRuleCase{kGrayed, false},
                                           SentinelRuleCase{kUnchecked, false}),
                         [](const ::testing::TestParamInfo<SentinelRuleCase>& info) {
                             return checkStateName(info.param.state);
                         });

TEST_F(SettingsControlsTest, TickingEndSentinelByMouseEnablesItsFieldsWithTheirTexts) {
    ReaderSettings settings;
    settings.endSentinel = {u"a", u"b", u""};
    window_.applySettings(settings);
    showWindow();

    QTest::mouseClick(find("chkEnd"), Qt::LeftButton);

    EXPECT_EQ(window_.currentSettings().endSentinelEnabled, kChecked);
    expectFields("txtES", true, Qt::white, {"a", "b", ""});
    QTest::mouseClick(find("chkEnd"), Qt::LeftButton);
    expectFields("txtES", false, buttonFace(), {"a", "b", ""});
}

TEST_F(SettingsControlsTest, TypingIntoASentinelFieldKeepsOneCharacter) {
    ReaderSettings settings;
    settings.startSentinelEnabled = kChecked;
    window_.applySettings(settings);
    showWindow();

    auto* field = find<QLineEdit>("txtSS(1)");
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("%;"));
    EXPECT_EQ(field->text(), QStringLiteral("%"));
}

}  // namespace
}  // namespace cdr::test
