// Any bytes as a settings file chosen in the Load dialog.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "fuzz_check.h"
#include "settings/settings_file.h"

namespace {

using cdr::fuzz::require;

bool atMostOneOn(const auto& group) { return std::ranges::count(group, true) <= 1; }

bool allSingleCharacters(const auto& texts) {
    return std::ranges::all_of(texts, [](const auto& text) { return text.size() <= 1; });
}

void checkError(const cdr::SettingsFileError& error) {
    using Kind = cdr::SettingsFileError::Kind;
    if (error.kind == Kind::BadLine) {
        require(error.line >= 1 && error.line <= cdr::kSettingsFileLineCount, "a bad line lies inside the file");
    } else {
        require(error.line >= 0 && error.line < cdr::kSettingsFileLineCount, "too few lines means under 16");
    }
    require(!error.message.empty(), "every refusal has a status text");
}

// What a file gave, saving keeps: loading the saved file gives the same settings. The only text a file can give
// that a file cannot hold is a line feed (a lone LF belongs to its line), and saving refuses it.
void checkSaveAndReload(const cdr::ReaderSettings& settings) {
    const auto saved = cdr::encodeSettingsFile(settings);
    if (const auto* refused = std::get_if<cdr::RefusedSentinel>(&saved)) {
        const auto& texts =
            refused->field.kind == cdr::SentinelKind::Start ? settings.startSentinel : settings.endSentinel;
        require(texts[refused->field.track] == u"\n", "saving refuses only a line feed");
        return;
    }
    const auto reloaded = cdr::decodeSettingsFile(std::get<std::string>(saved));
    const auto* again = std::get_if<cdr::ReaderSettings>(&reloaded);
    require(again != nullptr, "a saved file loads");
    require(*again == settings, "a saved file loads as the settings it was saved from");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = cdr::decodeSettingsFile(bytes);
    if (const auto* error = std::get_if<cdr::SettingsFileError>(&decoded)) {
        checkError(*error);
        return 0;
    }
    const auto& settings = std::get<cdr::ReaderSettings>(decoded);
    require(atMostOneOn(settings.formatOption) && atMostOneOn(settings.enterOption), "one option on per group");
    require(allSingleCharacters(settings.startSentinel) && allSingleCharacters(settings.endSentinel),
            "a sentinel is one character or none");
    checkSaveAndReload(settings);
    return 0;
}
