#include <variant>

#include "presenter/main_presenter.h"
#include "settings/code_page.h"
#include "settings/settings_file.h"
#include "settings/settings_file_io.h"

namespace cdr {

namespace {

// The status label has one line: it names the file, not its whole path.
std::u16string displayName(const std::filesystem::path& path) {
    const std::filesystem::path name = path.filename().empty() ? path : path.filename();
    try {
        return name.u16string();
    } catch (const std::exception&) {
        // A name that is not valid in the system's encoding is shown byte for byte.
        std::u16string text;
        for (const char byte : name.string()) text += fromCodePageByte(static_cast<std::uint8_t>(byte));
        return text;
    }
}

// The status texts name the file, not its whole path; "%1" stands for the name.
std::u16string notSaved(std::u16string_view reason) { return u"Not saved, " + std::u16string(reason) + u": %1"; }

std::u16string notLoaded(std::u16string_view reason) { return u"Not loaded, " + std::u16string(reason) + u": %1"; }

}  // namespace

// The dialogs name the chosen file in UTF-8; an empty name is a cancelled dialog.
void MainPresenter::cmdSave_Click() {
    const auto chosen = view_.chooseSettingsFile(FileDialogKind::Save);
    if (chosen && !chosen->empty()) {
        SaveSettingsFile(pathFromUtf8(*chosen));
    }
}

void MainPresenter::cmdLoad_Click() {
    const auto chosen = view_.chooseSettingsFile(FileDialogKind::Load);
    if (chosen && !chosen->empty()) {
        LoadSettingsFile(pathFromUtf8(*chosen));
    }
}

// The new content is written beside the file and replaces it in one step, so a failure leaves the old file whole.
bool MainPresenter::SaveSettingsFile(const std::filesystem::path& path) {
    const auto encoded = encodeSettingsFile(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&encoded)) {
        showMessage(refused->message);
        return false;
    }
    if (const auto failure = replaceSettingsFile(path, std::get<std::string>(encoded))) {
        showFileMessage(notSaved(failure->reason), displayName(path));
        return false;
    }
    showFileMessage(u"Saved %1", displayName(path));
    return true;
}

// All or nothing: the whole file is read and checked before any control changes.
bool MainPresenter::LoadSettingsFile(const std::filesystem::path& path) {
    const auto bytes = readSettingsFileBytes(path);
    if (const auto* failure = std::get_if<FileIoFailure>(&bytes)) {
        showFileMessage(notLoaded(failure->reason), displayName(path));
        return false;
    }
    const auto decoded = decodeSettingsFile(std::get<std::string>(bytes));
    if (const auto* error = std::get_if<SettingsFileError>(&decoded)) {
        showFileMessage(notLoaded(error->message), displayName(path));
        return false;
    }
    applySettings(std::get<ReaderSettings>(decoded));
    showFileMessage(u"Loaded %1", displayName(path));
    return true;
}

}  // namespace cdr
