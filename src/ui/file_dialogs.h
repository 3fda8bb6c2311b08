#pragma once

#include <QString>

namespace cdr {

// The dialogs behind "Load Config" and "Save Config". Each asks the user for a settings file and gives its full
// path, or an empty text when the user closed the dialog without choosing. The window holds one; tests hand it
// one that answers without a modal dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    virtual QString chooseFileToLoad() = 0;
    virtual QString chooseFileToSave() = 0;
};

}  // namespace cdr
