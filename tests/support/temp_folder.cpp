#include "support/temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace cdr::test {

namespace fs = std::filesystem;

TempFolder::TempFolder(std::string_view prefix)
    : path_(fs::temp_directory_path() / (std::string(prefix) + std::to_string(std::random_device{}()))) {
    if (!fs::create_directory(path_)) {
        throw fs::filesystem_error("temporary folder exists already", path_,
                                   std::make_error_code(std::errc::file_exists));
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path TempFolder::write(const fs::path& name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return path_ / name;
}

std::string TempFolder::contents(const fs::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

}  // namespace cdr::test
