#include "win32/settings_file_dialog.h"

#include <commdlg.h>

#include <cstdio>

#include "settings/settings_file_dialogs.h"
#include "win32/wide_text.h"

namespace cdr::win32 {

namespace {

// Long enough for any path the dialog can give back.
constexpr std::size_t kPathCapacity = 32768;

std::wstring settingsFileFilter() {
    std::wstring filter;
    for (const FileFilterEntry& entry : kSettingsFileFilters) {
        filter += toWide(entry.label);
        filter += L'\0';
        filter += toWide(entry.pattern);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

// The dialogs report no failure to the user: a dialog that could not be shown is taken as cancelled. The
// dialog's own error code goes to the debugger's output.
void reportDialogFailure(const char* step) {
    const DWORD error = CommDlgExtendedError();
    if (error != 0) {
        char text[96];
        std::snprintf(text, sizeof text, "%s failed: CommDlgExtendedError 0x%lX\n", step,
                      static_cast<unsigned long>(error));
        OutputDebugStringA(text);
    }
}

class CommonFileDialogs final : public FileDialogRunner {
public:
    std::optional<std::wstring> run(HWND owner, const FileDialogRequest& request) override {
        std::wstring path = request.proposedName;
        path.resize(kPathCapacity, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = request.filter.c_str();
        dialog.nFilterIndex = request.filterIndex;
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = static_cast<DWORD>(path.size());
        dialog.lpstrInitialDir = request.initialFolder.c_str();
        dialog.lpstrTitle = request.title.c_str();
        dialog.Flags = request.flags;
        const bool load = request.kind == FileDialogKind::Load;
        // A cancelled dialog gives FALSE, so the proposed name never comes back as a choice.
        if (!(load ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog))) {
            reportDialogFailure(load ? "GetOpenFileNameW" : "GetSaveFileNameW");
            return std::nullopt;
        }
        path.resize(path.find(L'\0'));
        if (path.empty()) {
            return std::nullopt;
        }
        return path;
    }
};

}  // namespace

FileDialogRequest settingsFileDialogRequest(FileDialogKind kind, std::wstring initialFolder) {
    FileDialogRequest request;
    request.kind = kind;
    request.filter = settingsFileFilter();
    request.initialFolder = std::move(initialFolder);
    if (kind == FileDialogKind::Load) {
        request.title = toWide(kLoadDialogTitle);
        request.filterIndex = 1;
    } else {
        request.title = toWide(kSaveDialogTitle);
        request.flags = OFN_NOCHANGEDIR;
        request.proposedName = toWide(kProposedSettingsFileName);
    }
    return request;
}

std::wstring programFolder() {
    std::wstring path(kPathCapacity, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

std::unique_ptr<FileDialogRunner> makeCommonFileDialogs() { return std::make_unique<CommonFileDialogs>(); }

}  // namespace cdr::win32
