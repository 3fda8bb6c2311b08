#pragma once

#include <optional>
#include <string>

#include "cli/exit_status.h"
#include "cli/tool_output.h"
#include "settings/reader_settings.h"

namespace cdr::cli {

// Puts out the settings read from the reader at `reader`: as a settings file, or with --json as its JSON; on
// standard output, or into `file` ("-" is standard output), replaced in one step. kExitOutputNotWritten when
// they could not be written.
ExitStatus deliverSettings(ToolOutput& output, const std::string& reader, const ReaderSettings& settings,
                           const std::optional<std::string>& file);

}  // namespace cdr::cli
