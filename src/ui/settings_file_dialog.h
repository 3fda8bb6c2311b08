#pragma once

#include <memory>

#include <QString>

#include "ui/file_dialogs.h"

class QFileDialog;
class QWidget;

namespace cdr {

enum class SettingsFileDialogKind { Load, Save };

// The folder the dialogs start in: the program's folder, or the user's home folder where the program's folder
// cannot be written (an installed program).
QString settingsFileFolder(const QString& programFolder);

// A dialog set up for loading or saving a settings file, not yet shown: its title, the filters "Config
// File(*.cfg)" and "*.*" (the latter listing every file, names without a dot included), the proposed name on
// save, no extension added and no question before replacing a file.
std::unique_ptr<QFileDialog> buildSettingsFileDialog(SettingsFileDialogKind kind, const QString& folder,
                                                     QWidget* parent);

// The dialogs as the user sees them, modal over `parent`, starting in the program's folder.
class SettingsFileDialogs : public FileDialogs {
public:
    explicit SettingsFileDialogs(QWidget* parent) : parent_(parent) {}

    QString chooseFileToLoad() override;
    QString chooseFileToSave() override;

private:
    QString choose(SettingsFileDialogKind kind);

    QWidget* parent_;
};

}  // namespace cdr
