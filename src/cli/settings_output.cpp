#include "cli/settings_output.h"

#include "cli/settings_json.h"
#include "cli/text_encoding.h"
#include "settings/settings_file.h"
#include "settings/settings_file_io.h"

namespace cdr::cli {

ExitStatus deliverSettings(ToolOutput& output, const std::string& reader, const ReaderSettings& settings,
                           const std::optional<std::string>& file) {
    std::string bytes;
    if (output.json()) {
        bytes = settingsJson(reader, settings).dump(2) + "\n";
    } else {
        auto encoded = encodeSettingsFile(settings);
        if (const auto* refused = std::get_if<RefusedSentinel>(&encoded)) {
            output.fail("output-not-written", reader + ": " + utf16ToUtf8(refused->message));
            return kExitOutputNotWritten;
        }
        bytes = std::get<std::string>(std::move(encoded));
    }
    if (!file || *file == "-") {
        if (output.json()) {
            output.result(settingsJson(reader, settings));
        } else {
            output.out() << bytes << std::flush;
        }
        return kExitDone;
    }
    if (const auto failure = replaceSettingsFile(pathFromUtf8(*file), bytes)) {
        output.fail("output-not-written",
                    "cannot write " + *file + ": " + failure->step + ": " + utf16ToUtf8(failure->reason));
        return kExitOutputNotWritten;
    }
    return kExitDone;
}

}  // namespace cdr::cli
