#include "ui/settings_file_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "settings/settings_file_dialogs.h"

namespace cdr {

namespace {

QString toQString(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

// What a dialog entry lists. "*.*" means every file, as it does in the Windows dialog; a bare "*.*" pattern would
// hide names without a dot, the proposed "CDR55P4Wcfg" among them.
QString listingPattern(std::u16string_view pattern) {
    return pattern == u"*.*" ? QStringLiteral("*") : toQString(pattern);
}

// Each entry as "label (patterns)"; with the filter details hidden the dialog shows only the label.
QStringList nameFilters() {
    QStringList filters;
    for (const FileFilterEntry& entry : kSettingsFileFilters) {
        filters << QStringLiteral("%1 (%2)").arg(toQString(entry.label), listingPattern(entry.pattern));
    }
    return filters;
}

}  // namespace

QString settingsFileFolder(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    return folder.isDir() && folder.isWritable() ? programFolder : QDir::homePath();
}

std::unique_ptr<QFileDialog> buildSettingsFileDialog(SettingsFileDialogKind kind, const QString& folder,
                                                     QWidget* parent) {
    const bool load = kind == SettingsFileDialogKind::Load;
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                       QFileDialog::DontConfirmOverwrite);
    dialog->setWindowTitle(toQString(load ? kLoadDialogTitle : kSaveDialogTitle));
    dialog->setAcceptMode(load ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDirectory(folder);
    const QStringList filters = nameFilters();
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());
    if (!load) {
        dialog->selectFile(toQString(kProposedSettingsFileName));
    }
    return dialog;
}

QString SettingsFileDialogs::chooseFileToLoad() { return choose(SettingsFileDialogKind::Load); }

QString SettingsFileDialogs::chooseFileToSave() { return choose(SettingsFileDialogKind::Save); }

// Only an accepted dialog gives a name: a cancelled save dialog still holds the name it proposed.
QString SettingsFileDialogs::choose(SettingsFileDialogKind kind) {
    const auto dialog =
        buildSettingsFileDialog(kind, settingsFileFolder(QCoreApplication::applicationDirPath()), parent_);
    if (dialog->exec() != QDialog::Accepted) {
        return {};
    }
    return dialog->selectedFiles().value(0);
}

}  // namespace cdr
