#include "cli/settings_json.h"

#include <algorithm>

#include "cli/text_encoding.h"

namespace cdr::cli {

namespace {

template <std::size_t Count>
nlohmann::json optionName(const std::array<bool, Count>& options, const std::array<const char*, Count>& names) {
    const auto on = std::find(options.begin(), options.end(), true);
    return on == options.end() ? nlohmann::json(nullptr) : nlohmann::json(names[on - options.begin()]);
}

nlohmann::json sentinels(CheckState enabled, const std::array<std::u16string, kTrackCount>& characters) {
    nlohmann::json texts = nlohmann::json::array();
    for (const auto& character : characters) {
        texts.push_back(utf16ToUtf8(character));
    }
    return {{"state", enabled}, {"characters", texts}};
}

}  // namespace

nlohmann::json settingsJson(const std::string& path, const ReaderSettings& settings) {
    return {{"path", path},
            {"tracks", settings.trackEnabled},
            {"format", optionName<kFormatOptionCount>(settings.formatOption, {"ISO", "AAMVA"})},
            {"startSentinel", sentinels(settings.startSentinelEnabled, settings.startSentinel)},
            {"endSentinel", sentinels(settings.endSentinelEnabled, settings.endSentinel)},
            {"enterMode", optionName<kEnterOptionCount>(settings.enterOption,
                                                        {"EnterNone", "EnterAfterEachTrack", "EnterAfterCardData"})}};
}

}  // namespace cdr::cli
