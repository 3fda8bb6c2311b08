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

std::u16string saveFailure(const std::filesystem::path& path, std::u16string_view reason) {
    return u"Could not save " + displayName(path) + u": " + std::u16string(reason) + u".";
}

std::u16string loadFailure(const std::filesystem::path& path, std::u16string_view reason) {
    return u"Could not load " + displayName(path) + u": " + std::u16string(reason) + u".";
}

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

bool MainPresenter::SaveSettingsFile(const std::filesystem::path& path) {
    const auto encoded = encodeSettingsFile(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&encoded)) {
        showMessage(u"Could not save " + displayName(path) + u". " + refused->message);
        return false;
    }
    if (const auto failure = replaceSettingsFile(path, std::get<std::string>(encoded))) {
        showMessage(saveFailure(path, failure->reason));
        return false;
    }
    showMessage(u"Saved settings to " + displayName(path) + u".");
    return true;
}

// All or nothing: the whole file is read and checked before any control changes.
bool MainPresenter::LoadSettingsFile(const std::filesystem::path& path) {
    const auto bytes = readSettingsFileBytes(path);
    if (const auto* failure = std::get_if<FileIoFailure>(&bytes)) {
        showMessage(loadFailure(path, failure->reason));
        return false;
    }
    const auto decoded = decodeSettingsFile(std::get<std::string>(bytes));
    if (const auto* error = std::get_if<SettingsFileError>(&decoded)) {
        showMessage(u"Could not load " + displayName(path) + u". " + error->message);
        return false;
    }
    applySettings(std::get<ReaderSettings>(decoded));
    showMessage(u"Loaded settings from " + displayName(path) + u".");
    return true;
}

}  // namespace cdr
