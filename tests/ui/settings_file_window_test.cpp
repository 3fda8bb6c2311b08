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

#include "support/sample_settings.h"
#include "ui/check_box.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

const QByteArray kFactoryFile(kFactorySettingsFile.data(), static_cast<qsizetype>(kFactorySettingsFile.size()));

// The lines of the factory file with one of them, counted from 1, replaced.
QByteArray factoryFileWith(int lineNumber, const QByteArray& text) {
    QList<QByteArray> lines = kFactoryFile.split('\n');
    lines[lineNumber - 1] = text + '\r';
    return lines.join('\n');
}

const QString kLongName =
    QStringLiteral("Reader settings of the workshop at the front desk terminal, spring edition, second try.cfg");

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

TEST_F(SettingsFileWindowTest, SaveThenLoadGivesBackEveryField) {
    window_.applySettings(nonFactorySettings());
    pressSave(pathOf("custom.cfg"));
    find<QPushButton>("cmdDefault")->click();

    pressLoad(pathOf("custom.cfg"));

    EXPECT_EQ(window_.currentSettings(), nonFactorySettings());
    EXPECT_EQ(status(), "Loaded custom.cfg");
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
    window_.applySettings(nonFactorySettings());
    EXPECT_TRUE(window_.LoadSettingsFile(writeFile("long.cfg", kFactoryFile + "junk\r\n3\r\n")));
    EXPECT_EQ(window_.currentSettings(), factorySettings());
}

TEST_F(SettingsFileWindowTest, FileWithItsLinesInsideTheReadLimitLoadsWhateverFollows) {
    window_.applySettings(nonFactorySettings());
    EXPECT_TRUE(window_.LoadSettingsFile(writeFile("padded.cfg", kFactoryFile + QByteArray(1 << 20, 'x'))));
    EXPECT_EQ(window_.currentSettings(), factorySettings());
}

// Files that cannot be applied: no control changes, and the status line says why and which file, the name
// shortened so that the reason stays in view.
struct UnreadableFile {
    const char* label;
    QByteArray bytes;
    const char* reason;
};

class UnreadableFileTest : public SettingsFileWindowTest, public ::testing::WithParamInterface<UnreadableFile> {};

TEST_P(UnreadableFileTest, ChangesNoControlAndSaysWhyInOneLine) {
    window_.applySettings(nonFactorySettings());
    pressLoad(writeFile(kLongName, GetParam().bytes));
    EXPECT_EQ(window_.currentSettings(), nonFactorySettings());
    const QString whole = QStringLiteral("Not loaded, %1: %2").arg(GetParam().reason, kLongName);
    EXPECT_TRUE(status().startsWith(QStringLiteral("Not loaded, %1: ").arg(GetParam().reason)))
        << status().toStdString();
    expectWholeTextInOneLine(*find<QLabel>("txtMsg"), whole);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFileTest,
    ::testing::Values(UnreadableFile{"FifteenLines", kFactoryFile.left(kFactoryFile.lastIndexOf("False")),
                                     "15 of 16 lines"},
                      UnreadableFile{"Empty", QByteArray(), "0 of 16 lines"},
                      UnreadableFile{"WordOnTrackLine", factoryFileWith(2, "on"), "line 2 must be 0, 1 or 2"},
                      UnreadableFile{"ThreeOnStartLine", factoryFileWith(4, "3"), "line 4 must be 0, 1 or 2"},
                      UnreadableFile{"FractionOnEndLine", factoryFileWith(8, "1.0"), "line 8 must be 0, 1 or 2"},
                      UnreadableFile{"EmptyOptionLine", factoryFileWith(16, ""), "line 16 must be True or False"},
                      UnreadableFile{"HugeWithoutLineEnds", QByteArray(1 << 20, '\0'), "too large"},
                      UnreadableFile{"HugeSentinelLine", factoryFileWith(5, QByteArray(100000, 'x')), "too large"}),
    [](const ::testing::TestParamInfo<UnreadableFile>& info) { return std::string(info.param.label); });

// Six sentinels set make the file longer than the factory file's 60 bytes.
TEST_F(SettingsFileWindowTest, FileWithAllSixSentinelsLoads) {
    QByteArray file = kFactoryFile;
    file.replace("0\r\n\r\n\r\n\r\n", "1\r\n%\r\n;\r\n+\r\n");
    ASSERT_EQ(file.size(), 66);
    ASSERT_TRUE(window_.LoadSettingsFile(writeFile("six.cfg", file)));
    EXPECT_EQ(window_.currentSettings().startSentinel, (std::array<std::u16string, 3>{u"%", u";", u"+"}));
    EXPECT_EQ(window_.currentSettings().endSentinel, (std::array<std::u16string, 3>{u"%", u";", u"+"}));
}

#ifdef __linux__
// A file that opens but cannot be read says so instead of counting its lines.
TEST_F(SettingsFileWindowTest, ReadErrorAfterOpenSaysSo) {
    window_.applySettings(nonFactorySettings());
    EXPECT_FALSE(window_.LoadSettingsFile(QStringLiteral("/proc/self/mem")));
    EXPECT_TRUE(status().startsWith("Not loaded, read error")) << status().toStdString();
    EXPECT_EQ(window_.currentSettings(), nonFactorySettings());
}
#endif

TEST_F(SettingsFileWindowTest, MarkupInAFileNameShowsAsWritten) {
    const QString name = QStringLiteral("<b>big<br>name.cfg");
    ASSERT_TRUE(window_.LoadSettingsFile(writeFile(name, kFactoryFile)));
    EXPECT_EQ(find<QLabel>("txtMsg")->textFormat(), Qt::PlainText);
    EXPECT_EQ(status(), "Loaded " + name);
}

TEST_F(SettingsFileWindowTest, PathsThatAreNoFileChangeNothingAndSaySo) {
    window_.applySettings(nonFactorySettings());
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.cfg"));

    EXPECT_FALSE(window_.LoadSettingsFile(pathOf("missing.cfg")));
    EXPECT_EQ(status(), "Not loaded, no such file: missing.cfg");
    EXPECT_FALSE(window_.LoadSettingsFile(pathOf("folder.cfg")));
    EXPECT_EQ(status(), "Not loaded, not a file: folder.cfg");
    EXPECT_EQ(window_.currentSettings(), nonFactorySettings());
}

#ifndef _WIN32
// Opening a pipe for reading would wait for a writer; the loader never opens one.
TEST_F(SettingsFileWindowTest, NamedPipeIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(pathOf("pipe.cfg").toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(window_.LoadSettingsFile(pathOf("pipe.cfg")));
    EXPECT_EQ(status(), "Not loaded, not a file: pipe.cfg");
}
#endif

// Paths that cannot be written even by an administrator: a folder, and a name below a regular file.
TEST_F(SettingsFileWindowTest, FailedSaveLeavesWhatWasThereAndSaysSo) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.cfg"));
    const QString oldFile = writeFile("old.cfg", "old contents");

    EXPECT_FALSE(window_.SaveSettingsFile(pathOf("folder.cfg")));
    EXPECT_TRUE(status().startsWith("Not saved, ")) << status().toStdString();
    EXPECT_TRUE(QFileInfo(pathOf("folder.cfg")).isDir());

    window_.applySettings(nonFactorySettings());
    EXPECT_FALSE(window_.SaveSettingsFile(oldFile + "/inner.cfg"));
    EXPECT_TRUE(status().endsWith(": inner.cfg")) << status().toStdString();
    EXPECT_EQ(contents(oldFile), "old contents");
}

TEST_F(SettingsFileWindowTest, SuccessReplacesAnEarlierFailureText) {
    window_.LoadSettingsFile(pathOf("missing.cfg"));
    pressSave(pathOf("good.cfg"));
    EXPECT_EQ(status(), "Saved good.cfg");
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
    const QString field = QString::fromUtf8(GetParam().field);
    ReaderSettings settings = window_.currentSettings();
    auto& sentinels = field.startsWith("txtSS") ? settings.startSentinel : settings.endSentinel;
    sentinels[field.at(6).digitValue()] = GetParam().text.toStdU16String();
    window_.applySettings(settings);
    ASSERT_EQ(find<QLineEdit>(field)->text(), GetParam().text);

    pressSave(oldFile);

    EXPECT_EQ(contents(oldFile), "old contents");
    EXPECT_EQ(status(), GetParam().expectedStatus);
    expectWholeTextInOneLine(*find<QLabel>("txtMsg"), GetParam().expectedStatus);
}

INSTANTIATE_TEST_SUITE_P(
    Sentinels, UnsavableSentinelTest,
    ::testing::Values(UnsavableSentinel{"CarriageReturn", "txtSS(1)", "\r",
                                        "Track Start Sentinel, Track2: a line break cannot be saved."},
                      UnsavableSentinel{"LineFeed", "txtES(2)", "\n",
                                        "Track End Sentinel, Track3: a line break cannot be saved."},
                      UnsavableSentinel{"OutsideCodePage", "txtSS(0)", QStringLiteral(u"\u4e2d"),
                                        "Track Start Sentinel, Track1: character cannot be saved."}),
    [](const ::testing::TestParamInfo<UnsavableSentinel>& info) { return std::string(info.param.label); });

TEST_F(SettingsFileWindowTest, SuccessTextsWithALongNameFitTheLine) {
    pressSave(pathOf(kLongName));
    expectWholeTextInOneLine(*find<QLabel>("txtMsg"), "Saved " + kLongName);
    pressLoad(pathOf(kLongName));
    expectWholeTextInOneLine(*find<QLabel>("txtMsg"), "Loaded " + kLongName);
}

}  // namespace
}  // namespace cdr::test
