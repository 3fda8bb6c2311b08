#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/settings_file_dialog.h"

namespace cdr::test {
namespace {

const QString kConfigFilter = QStringLiteral("Config File(*.cfg)");
const QString kAllFilter = QStringLiteral("*.*");

class SettingsFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    std::unique_ptr<QFileDialog> build(SettingsFileDialogKind kind) const {
        return buildSettingsFileDialog(kind, folder_.path(), nullptr);
    }

    void createFile(const QString& name) const {
        QFile file(folder_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir folder_;
};

// The texts of the filter list as the dialog shows them.
QStringList shownFilters(const QFileDialog& dialog) {
    auto* list = dialog.findChild<QComboBox*>("fileTypeCombo");
    EXPECT_NE(list, nullptr);
    QStringList texts;
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

// The names the dialog lists in its folder once that folder has been read, sorted and joined by blanks.
std::string listedNames(const QFileDialog& dialog, const QString& folder, int expectedCount) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    EXPECT_NE(model, nullptr);
    if (model == nullptr) {
        return {};
    }
    const QModelIndex root = model->index(folder);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == expectedCount; }));
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row) {
        names << model->fileName(model->index(row, 0, root));
    }
    names.sort();
    return names.join(' ').toStdString();
}

TEST_F(SettingsFileDialogTest, LoadDialogIsAnOpenDialogWithNoProposedName) {
    const auto dialog = build(SettingsFileDialogKind::Load);
    EXPECT_EQ(dialog->windowTitle(), "File Search");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), "");
}

TEST_F(SettingsFileDialogTest, SaveDialogProposesTheNameWithoutExtension) {
    const auto dialog = build(SettingsFileDialogKind::Save);
    EXPECT_EQ(dialog->windowTitle(), "Save Config File");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), "CDR55P4Wcfg");
    EXPECT_EQ(dialog->selectedFiles(), QStringList{folder_.filePath("CDR55P4Wcfg")});
    EXPECT_EQ(dialog->defaultSuffix(), "");
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(SettingsFileDialogTest, BothDialogsStartInTheFolderOnTheConfigFilter) {
    for (const auto kind : {SettingsFileDialogKind::Load, SettingsFileDialogKind::Save}) {
        const auto dialog = build(kind);
        EXPECT_EQ(QDir(dialog->directory()), QDir(folder_.path()));
        EXPECT_EQ(shownFilters(*dialog), (QStringList{kConfigFilter, kAllFilter}));
        EXPECT_TRUE(dialog->selectedNameFilter().startsWith(kConfigFilter));
    }
}

TEST_F(SettingsFileDialogTest, AllFilesEntryListsNamesWithoutADot) {
    createFile("CDR55P4Wcfg");
    createFile("kept.cfg");
    createFile("notes.txt");
    const auto dialog = build(SettingsFileDialogKind::Load);

    EXPECT_EQ(listedNames(*dialog, folder_.path(), 1), "kept.cfg");
    dialog->selectNameFilter(dialog->nameFilters().at(1));
    EXPECT_EQ(listedNames(*dialog, folder_.path(), 3), "CDR55P4Wcfg kept.cfg notes.txt");
}

TEST_F(SettingsFileDialogTest, FolderIsTheProgramsWhenWritableElseHome) {
    EXPECT_EQ(settingsFileFolder(folder_.path()), folder_.path());
    EXPECT_EQ(settingsFileFolder(folder_.filePath("absent")), QDir::homePath());
}

// Closes the modal dialog that is about to open, through its cancel or its accept.
void closeNextDialog(bool accept) {
    QTimer::singleShot(0, [accept] {
        // Through QDialog, where accept is public; QFileDialog's own accept still runs.
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (accept) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

TEST(SettingsFileDialogsTest, CancelledSaveDialogGivesNoNameThoughItProposedOne) {
    SettingsFileDialogs dialogs(nullptr);
    closeNextDialog(false);
    EXPECT_EQ(dialogs.chooseFileToSave(), "");
}

TEST(SettingsFileDialogsTest, AcceptedSaveDialogGivesTheProposedNameInTheStartFolderAndKeepsTheCurrentFolder) {
    const QString currentFolder = QDir::currentPath();
    SettingsFileDialogs dialogs(nullptr);
    closeNextDialog(true);
    const QString folder = settingsFileFolder(QCoreApplication::applicationDirPath());
    EXPECT_EQ(dialogs.chooseFileToSave(), QDir(folder).filePath("CDR55P4Wcfg"));
    EXPECT_EQ(QDir::currentPath(), currentFolder);
}

}  // namespace
}  // namespace cdr::test
