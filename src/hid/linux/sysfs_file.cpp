#include "hid/linux/sysfs_file.h"

#include <fstream>
#include <iterator>

namespace cdr::hid {

std::optional<std::string> readSysfsFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return file.bad() ? std::nullopt : std::optional(std::move(text));
}

}  // namespace cdr::hid
