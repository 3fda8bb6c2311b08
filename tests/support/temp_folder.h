#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace cdr::test {

// A new, empty folder of its own under the system's temporary folder, removed with its contents at the end, so
// that tests running as parallel processes never share files.
class TempFolder {
public:
    // The folder's name starts with `prefix`.
    explicit TempFolder(std::string_view prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
    // Writes a file of these bytes into the folder and gives its path.
    std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const;
    // The bytes of a file, empty if it cannot be read.
    static std::string contents(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};

}  // namespace cdr::test
