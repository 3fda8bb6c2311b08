#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "presenter/main_view.h"

namespace cdr::win32 {

// What the common file dialog behind "Load Config" or "Save Config" is asked to show.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Load;
    std::wstring title;
    std::wstring filter;    // pairs of label and pattern, each ended by NUL, the list by one more NUL
    DWORD filterIndex = 0;  // from 1; 0 leaves the dialog on its first entry
    DWORD flags = 0;        // OFN_ flags
    std::wstring proposedName;
    std::wstring initialFolder;

    bool operator==(const FileDialogRequest&) const = default;
};

// The load or save request for settings files, starting in initialFolder.
FileDialogRequest settingsFileDialogRequest(FileDialogKind kind, std::wstring initialFolder);

// The folder that holds the running program.
std::wstring programFolder();

// Shows a file dialog and gives the full path the user chose, or nothing when the user closed it without
// choosing. The window holds one; tests hand it one that answers without a modal dialog.
class FileDialogRunner {
public:
    virtual ~FileDialogRunner() = default;

    virtual std::optional<std::wstring> run(HWND owner, const FileDialogRequest& request) = 0;
};

// GetOpenFileNameW and GetSaveFileNameW.
std::unique_ptr<FileDialogRunner> makeCommonFileDialogs();

}  // namespace cdr::win32
