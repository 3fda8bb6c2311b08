#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace cdr {

// A settings file is 60 bytes or so; reading stops after this many, so a huge or endless file cannot stall the
// program.
inline constexpr std::size_t kMostSettingsFileBytes = 64 * 1024;

// Why a settings file could not be read or written: the step that failed, the system's error for it (empty when
// the program itself refused the file), and the reason for the status line.
struct FileIoFailure {
    std::string step;
    std::error_code error;
    std::u16string reason;
};

// The path of a file named in UTF-8, as the file dialogs name it.
std::filesystem::path pathFromUtf8(std::string_view utf8);

// The bytes of the settings file at `path`, at most kMostSettingsFileBytes. Refused without opening it when it is
// missing ("no such file") or not a regular file ("not a file": a folder, pipe or device); refused as "too large"
// when it goes on past the limit and the bytes read do not hold all of its lines. A read that fails after the open
// gives "read error (REASON)".
std::variant<std::string, FileIoFailure> readSettingsFileBytes(const std::filesystem::path& path);

// Replaces the file at `path` with `bytes` in one step: they are written to a new file in the same folder, flushed
// to the disk and renamed over `path`. On failure the file at `path` is as it was and nothing is left behind.
std::optional<FileIoFailure> replaceSettingsFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace cdr
