#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ui/check_box.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

const QByteArray kFactoryFile =
    "1\r\n1\r\n1\r\n0\r\n\r\n\r\n\r\n0\r\n\r\n\r\n\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n";

// The lines of the factory file with one of them, counted from 1, replaced.
QByteArray factoryFileWith(int lineNumber, const QByteArray& text) {
    QList<QByteArray> lines = kFactoryFile.split('\n');
    lines[lineNumber - 1] = text + '\r';
    return lines.join('\n');
}

// Not the factory values in any field, so that a load that changed anything shows.
ReaderSettings customSettings() {
    ReaderSettings settings;
    settings.trackEnabled = {kUnchecked, kGrayed, kChecked};
    settings.formatOption = {false, true};
    settings.startSentinelEnabled = kUnchecked;
    settings.startSentinel = {u"%", u";", u""};
    settings.endSentinelEnabled = kGrayed;
    settings.endSentinel = {u"?", u"", u"\u00e9"};
    settings.enterOption = {false, false, false};
    return settings;
}

// Answers the window's file dialogs with the paths a test chose; an empty path is a cancelled dialog.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString chooseFileToLoad() override { return loadAnswer; }
    QString chooseFileToSave() override { return saveAnswer; }

    QString loadAnswer;
    QString saveAnswer;
};

class SettingsFileWindowTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        window_.Form_Load();
        window_.SetControlsEnabled(true);
        auto dialogs = std::make_unique<ScriptedFileDialogs>();
        dialogs_ = dialogs.get();
        window_.setFileDialogs(std::move(dialogs));
    }

    QString pathOf(const QString& name) const { return folder_.filePath(name); }

    QString writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(pathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray contents(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    void pressSave(const QString& path) {
        dialogs_->saveAnswer = path;
        find<QPushButton>("cmdSave")->click();
    }

    void pressLoad(const QString& path) {
        dialogs_->loadAnswer = path;
        find<QPushButton>("cmdLoad")->click();
    }

    QString status() const { return find<QLabel>("txtMsg")->text(); }

    QTemporaryDir folder_;
    ScriptedFileDialogs* dialogs_ = nullptr;
};

TEST_F(SettingsFileWindowTest, SaveConfigWritesTheFactoryFileByteForByte) {
    pressSave(pathOf("CDR55P4Wcfg"));
    EXPECT_EQ(contents(pathOf("CDR55P4Wcfg")), kFactoryFile);
    EXPECT_EQ(kFactoryFile.size(), 60);
    EXPECT_EQ(status(), "Saved settings to CDR55P4Wcfg.");
}

TEST_F(SettingsFileWindowTest, SaveThenLoadGivesBackEveryField) {
    window_.applySettings(customSettings());
    pressSave(pathOf("custom.cfg"));
    find<QPushButton>("cmdDefault")->click();

    pressLoad(pathOf("custom.cfg"));

    EXPECT_EQ(window_.currentSettings(), customSettings());
    EXPECT_EQ(status(), "Loaded settings from custom.cfg.");
    EXPECT_EQ(find<CheckBox>("chkEnd")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(find<CheckBox>("chkTrack(1)")->checkState(), Qt::PartiallyChecked);
    for (const QString& name : elementNames("txtSS", kTrackCount) + elementNames("txtES", kTrackCount)) {
        EXPECT_FALSE(ownEnabled(name)) << name.toStdString();
    }
}

TEST_F(SettingsFileWindowTest, GrayedStartLineGraysTheBoxDisablesItsFieldsAndSavesBack) {
    ASSERT_TRUE(window_.LoadSettingsFile(writeFile("grayed.cfg", factoryFileWith(4, "2"))));

    EXPECT_EQ(find<CheckBox>("chkStart")->checkState(), Qt::PartiallyChecked);
    for (const QString& name : elementNames("txtSS", kTrackCount)) {
        EXPECT_FALSE(ownEnabled(name)) << name.toStdString();
    }
    pressSave(pathOf("again.cfg"));
    EXPECT_EQ(contents(pathOf("again.cfg")), factoryFileWith(4, "2"));
}

TEST_F(SettingsFileWindowTest, ExtraLinesAfterTheSixteenthAreIgnored) {
    window_.applySettings(customSettings());
    EXPECT_TRUE(window_.LoadSettingsFile(writeFile("long.cfg", kFactoryFile + "junk\r\n3\r\n")));
    EXPECT_EQ(window_.currentSettings(), factorySettings());
}

TEST_F(SettingsFileWindowTest, FileWithItsLinesInsideTheReadLimitLoadsWhateverFollows) {
    window_.applySettings(customSettings());
    EXPECT_TRUE(window_.LoadSettingsFile(writeFile("padded.cfg", kFactoryFile + QByteArray(1 << 20, 'x'))));
    EXPECT_EQ(window_.currentSettings(), factorySettings());
}

TEST_F(SettingsFileWindowTest, CancelledDialogsChangeNothing) {
    window_.applySettings(customSettings());
    pressSave({});
    pressLoad({});
    EXPECT_TRUE(QDir(folder_.path()).isEmpty());
    EXPECT_EQ(window_.currentSettings(), customSettings());
    EXPECT_EQ(status(), "");
}

// Files that cannot be applied: no control changes, and the status line says which file and why.
struct UnreadableFile {
    const char* label;
    QByteArray bytes;
    const char* expectedStatus;
};

class UnreadableFileTest : public SettingsFileWindowTest, public ::testing::WithParamInterface<UnreadableFile> {};

TEST_P(UnreadableFileTest, ChangesNoControlAndSaysWhy) {
    window_.applySettings(customSettings());
    pressLoad(writeFile("bad.cfg", GetParam().bytes));
    EXPECT_EQ(window_.currentSettings(), customSettings());
    EXPECT_EQ(status(), GetParam().expectedStatus);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFileTest,
    ::testing::Values(
        UnreadableFile{"LineFeedEnds", QByteArray(kFactoryFile).replace("\r\n", "\n"),
                       "Could not load bad.cfg. The settings file has 1 line; it needs 16."},
        UnreadableFile{"FifteenLines", kFactoryFile.left(kFactoryFile.lastIndexOf("False")),
                       "Could not load bad.cfg. The settings file has 15 lines; it needs 16."},
        UnreadableFile{"Empty", QByteArray(), "Could not load bad.cfg. The settings file has 0 lines; it needs 16."},
        UnreadableFile{"WordOnTrackLine", factoryFileWith(2, "on"),
                       "Could not load bad.cfg. Settings file line 2: expected 0, 1 or 2."},
        UnreadableFile{"ThreeOnStartLine", factoryFileWith(4, "3"),
                       "Could not load bad.cfg. Settings file line 4: expected 0, 1 or 2."},
        UnreadableFile{"EmptyOptionLine", factoryFileWith(16, ""),
                       "Could not load bad.cfg. Settings file line 16: expected True, False or a number."},
        UnreadableFile{"HugeWithoutLineEnds", QByteArray(1 << 20, '\0'),
                       "Could not load bad.cfg: too large for a settings file."},
        UnreadableFile{"HugeSentinelLine", factoryFileWith(5, QByteArray(100000, 'x')),
                       "Could not load bad.cfg: too large for a settings file."}),
    [](const ::testing::TestParamInfo<UnreadableFile>& info) { return std::string(info.param.label); });

TEST_F(SettingsFileWindowTest, PathsThatAreNoFileChangeNothingAndSaySo) {
    window_.applySettings(customSettings());
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.cfg"));

    EXPECT_FALSE(window_.LoadSettingsFile(pathOf("missing.cfg")));
    EXPECT_EQ(status(), "Could not load missing.cfg: no such file.");
    EXPECT_FALSE(window_.LoadSettingsFile(pathOf("folder.cfg")));
    EXPECT_EQ(status(), "Could not load folder.cfg: not a regular file.");
    EXPECT_EQ(window_.currentSettings(), customSettings());
}

#ifndef _WIN32
// Opening a pipe for reading would wait for a writer; the loader never opens one.
TEST_F(SettingsFileWindowTest, NamedPipeIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(pathOf("pipe.cfg").toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(window_.LoadSettingsFile(pathOf("pipe.cfg")));
    EXPECT_EQ(status(), "Could not load pipe.cfg: not a regular file.");
}
#endif

// Paths that cannot be written even by an administrator: a folder, and a name below a regular file.
TEST_F(SettingsFileWindowTest, FailedSaveLeavesWhatWasThereAndSaysSo) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.cfg"));
    const QString oldFile = writeFile("old.cfg", "old contents");

    EXPECT_FALSE(window_.SaveSettingsFile(pathOf("folder.cfg")));
    EXPECT_TRUE(status().startsWith("Could not save folder.cfg: ")) << status().toStdString();
    EXPECT_TRUE(QFileInfo(pathOf("folder.cfg")).isDir());

    window_.applySettings(customSettings());
    EXPECT_FALSE(window_.SaveSettingsFile(oldFile + "/inner.cfg"));
    EXPECT_TRUE(status().startsWith("Could not save inner.cfg: ")) << status().toStdString();
    EXPECT_EQ(contents(oldFile), "old contents");
}

TEST_F(SettingsFileWindowTest, SuccessReplacesAnEarlierFailureText) {
    window_.LoadSettingsFile(pathOf("missing.cfg"));
    pressSave(pathOf("good.cfg"));
    EXPECT_EQ(status(), "Saved settings to good.cfg.");
}

// A sentinel that cannot be written as one line of the file refuses the whole save.
struct UnsavableSentinel {
    const char* label;
    const char* field;
    QString text;
    const char* expectedStatus;
};

class UnsavableSentinelTest : public SettingsFileWindowTest, public ::testing::WithParamInterface<UnsavableSentinel> {};

TEST_P(UnsavableSentinelTest, RefusesTheSaveNamingTheFieldAndKeepsTheOldFile) {
    const QString oldFile = writeFile("old.cfg", "old contents");
    find<QLineEdit>(GetParam().field)->setText(GetParam().text);
    ASSERT_EQ(find<QLineEdit>(GetParam().field)->text(), GetParam().text);

    pressSave(oldFile);

    EXPECT_EQ(contents(oldFile), "old contents");
    EXPECT_EQ(status(), GetParam().expectedStatus);
}

INSTANTIATE_TEST_SUITE_P(
    Sentinels, UnsavableSentinelTest,
    ::testing::Values(
        UnsavableSentinel{"CarriageReturn", "txtSS(1)", "\r",
                          "Could not save old.cfg. Track Start Sentinel, Track2: a line break cannot be saved in a "
                          "settings file."},
        UnsavableSentinel{"LineFeed", "txtES(2)", "\n",
                          "Could not save old.cfg. Track End Sentinel, Track3: a line break cannot be saved in a "
                          "settings file."},
        UnsavableSentinel{"OutsideCodePage", "txtSS(0)", QStringLiteral(u"\u4e2d"),
                          "Could not save old.cfg. Track Start Sentinel, Track1: this character cannot be saved in a "
                          "settings file."}),
    [](const ::testing::TestParamInfo<UnsavableSentinel>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace cdr::test
