#include <filesystem>
#include <string>

#include "support/sample_settings.h"
#include "support/temp_folder.h"
#include "presenter_fixture.h"

namespace cdr::test {
namespace {

namespace fs = std::filesystem;

const std::string kFactoryFile(kFactorySettingsFile);

class SettingsFileTest : public PresenterTest {
protected:
    void SetUp() override {
        PresenterTest::SetUp();
        presenter_.SetControlsEnabled(true);
    }

    std::string pathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        return folder_.write(name, bytes).string();
    }
    std::string contents(const std::string& name) const { return TempFolder::contents(folder_ / name); }
    void pressSave(std::optional<std::string> answer) {
        view_.dialogAnswer = std::move(answer);
        click("cmdSave");
    }
    void pressLoad(std::optional<std::string> answer) {
        view_.dialogAnswer = std::move(answer);
        click("cmdLoad");
    }

    TempFolder folder_{"cdr-presenter-"};
};

TEST_F(SettingsFileTest, SaveConfigWritesTheFactoryFileByteForByte) {
    pressSave(pathOf("CDR55P4Wcfg"));
    EXPECT_EQ(view_.dialogsShown, std::vector<FileDialogKind>{FileDialogKind::Save});
    EXPECT_EQ(contents("CDR55P4Wcfg"), kFactoryFile);
    EXPECT_EQ(status(), u"Saved CDR55P4Wcfg");
}

TEST_F(SettingsFileTest, SaveThenLoadGivesBackEveryFieldAndTheRuleFollows) {
    presenter_.applySettings(nonFactorySettings());
    pressSave(pathOf("custom.cfg"));
    click("cmdDefault");

    pressLoad(pathOf("custom.cfg"));
    EXPECT_EQ(view_.dialogsShown.back(), FileDialogKind::Load);
    EXPECT_EQ(presenter_.currentSettings(), nonFactorySettings());
    EXPECT_EQ(status(), u"Loaded custom.cfg");
    EXPECT_FALSE(control("txtES(0)").enabled);
}

TEST_F(SettingsFileTest, CancelledDialogsChangeNothing) {
    presenter_.applySettings(nonFactorySettings());
    for (const std::optional<std::string>& cancelled : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        pressSave(cancelled);
        pressLoad(cancelled);
    }
    EXPECT_TRUE(fs::is_empty(folder_.path()));
    EXPECT_EQ(presenter_.currentSettings(), nonFactorySettings());
    EXPECT_EQ(status(), u"");
}

// Files that cannot be applied: no control changes, and the status line says which file and why.
struct UnreadableFile {
    const char* name;
    std::string bytes;  // not written: the path names nothing
    std::u16string status;
};

void PrintTo(const UnreadableFile& c, std::ostream* out) { *out << c.name; }

class UnreadableFileTest : public SettingsFileTest, public ::testing::WithParamInterface<UnreadableFile> {};

TEST_P(UnreadableFileTest, ChangesNoControlAndSaysWhy) {
    presenter_.applySettings(nonFactorySettings());
    fs::create_directory(folder_ / "folder.cfg");
    const std::string name = GetParam().name;
    const std::string path = name == "Missing"  ? pathOf("bad.cfg")
                             : name == "Folder" ? pathOf("folder.cfg")
                                                : write("bad.cfg", GetParam().bytes);
    EXPECT_FALSE(presenter_.LoadSettingsFile(path));
    EXPECT_EQ(presenter_.currentSettings(), nonFactorySettings());
    EXPECT_EQ(status(), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFileTest,
    ::testing::Values(
        UnreadableFile{"Missing", "", u"Not loaded, no such file: bad.cfg"},
        UnreadableFile{"Folder", "", u"Not loaded, not a file: folder.cfg"},
        UnreadableFile{"FifteenLines", kFactoryFile.substr(0, kFactoryFile.rfind("False")),
                       u"Not loaded, 15 of 16 lines: bad.cfg"},
        UnreadableFile{"WordOnTrackLine",
                       "1\r\non\r\n1\r\n0\r\n\r\n\r\n\r\n0\r\n\r\n\r\n\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n",
                       u"Not loaded, line 2 must be 0, 1 or 2: bad.cfg"},
        UnreadableFile{"HugeWithoutLineEnds", std::string(1 << 20, '\0'), u"Not loaded, too large: bad.cfg"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileWholeAndSaysWhy) {
    fs::create_directory(folder_ / "folder.cfg");
    write("old.cfg", "old contents");

    EXPECT_FALSE(presenter_.SaveSettingsFile(pathOf("folder.cfg")));
    EXPECT_TRUE(status().starts_with(u"Not saved, "));

    presenter_.applySettings(nonFactorySettings());
    EXPECT_FALSE(presenter_.SaveSettingsFile(folder_ / "old.cfg" / "inner.cfg"));
    EXPECT_TRUE(status().starts_with(u"Not saved, ") && status().ends_with(u": inner.cfg"));

    userTypes("txtES(1)", u"\r");
    pressSave(pathOf("old.cfg"));
    EXPECT_EQ(status(), u"Track End Sentinel, Track2: a line break cannot be saved.");
    EXPECT_EQ(contents("old.cfg"), "old contents");
}

}  // namespace
}  // namespace cdr::test
