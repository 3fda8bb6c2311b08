#include <gtest/gtest.h>

#include <string_view>

#include "answering_dialogs.h"
#include "recording_view_events.h"
#include "win32/win32_main_view.h"

#include <commdlg.h>

namespace cdr::win32 {
namespace {

using namespace std::literals;

struct DialogCase {
    FileDialogKind kind;
    std::wstring_view title;
    DWORD filterIndex;
    DWORD flags;
    std::wstring_view proposedName;
};

class SettingsFileDialogTest : public ::testing::TestWithParam<DialogCase> {
protected:
    RecordingViewEvents events;
    Win32MainView view{events};
};

TEST_P(SettingsFileDialogTest, AsksWithTheDialogsTextsAndGivesTheChosenPathInUtf8) {
    auto dialogs = std::make_unique<AnsweringDialogs>(L"C:\\Configs\\\u00E9t\u00E9.cfg");
    AnsweringDialogs& asked = *dialogs;
    view.setFileDialogs(std::move(dialogs));

    EXPECT_EQ(view.chooseSettingsFile(GetParam().kind), "C:\\Configs\\\xC3\xA9t\xC3\xA9.cfg");

    ASSERT_EQ(asked.asked.size(), 1u);
    const auto& [owner, request] = asked.asked.front();
    EXPECT_EQ(owner, view.window());
    EXPECT_EQ(request.title, GetParam().title);
    EXPECT_EQ(request.filter, L"Config File(*.cfg)\0*.cfg\0*.*\0*.*\0\0"sv);
    EXPECT_EQ(request.filterIndex, GetParam().filterIndex);
    EXPECT_EQ(request.flags, GetParam().flags);
    EXPECT_EQ(request.proposedName, GetParam().proposedName);
    EXPECT_EQ(request.initialFolder, programFolder());
    EXPECT_FALSE(request.initialFolder.empty());
}

TEST_P(SettingsFileDialogTest, ACancelledDialogGivesNothing) {
    view.setFileDialogs(std::make_unique<AnsweringDialogs>(std::nullopt));
    EXPECT_EQ(view.chooseSettingsFile(GetParam().kind), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(LoadAndSave, SettingsFileDialogTest,
                         ::testing::Values(DialogCase{FileDialogKind::Load, L"File Search", 1, 0, L""},
                                           DialogCase{FileDialogKind::Save, L"Save Config File", 0, OFN_NOCHANGEDIR,
                                                      L"CDR55P4Wcfg"}));

}  // namespace
}  // namespace cdr::win32
