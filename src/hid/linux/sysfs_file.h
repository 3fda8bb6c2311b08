#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace cdr::hid {

// The whole content of a small file such as a sysfs attribute; nothing when it cannot be read.
std::optional<std::string> readSysfsFile(const std::filesystem::path& path);

}  // namespace cdr::hid
