#include "settings/settings_file_io.h"

#include <algorithm>
#include <cerrno>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "settings/code_page.h"
#include "settings/settings_file.h"

namespace cdr {

namespace fs = std::filesystem;

namespace {

// How many names the save tries for its new file before it gives up.
constexpr int kTemporaryNameAttempts = 100;

// The few file calls that differ between the systems. Windows opens by the path's wide name and in binary mode,
// so that the CR LF line ends are written as they are.
#ifdef _WIN32
int openForReading(const fs::path& path) { return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY); }
int createNewFile(const fs::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long readSome(int file, char* buffer, std::size_t size) { return ::_read(file, buffer, static_cast<unsigned>(size)); }
long writeSome(int file, const char* data, std::size_t size) {
    return ::_write(file, data, static_cast<unsigned>(size));
}
int syncToDisk(int file) { return ::_commit(file); }
int closeFile(int file) { return ::_close(file); }
void keepModeOf(const fs::path& /*path*/, int /*file*/) {}
#else
// Not blocking: a pipe put in the file's place after the check still cannot make the open wait for a writer.
int openForReading(const fs::path& path) { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }
int createNewFile(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
long readSome(int file, char* buffer, std::size_t size) { return ::read(file, buffer, size); }
long writeSome(int file, const char* data, std::size_t size) { return ::write(file, data, size); }
int syncToDisk(int file) { return ::fsync(file); }
int closeFile(int file) { return ::close(file); }
// The new file takes the access rights of the file it replaces.
void keepModeOf(const fs::path& path, int file) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(file, existing.st_mode & 07777);
    }
}
#endif

bool isRegularOpenFile(int file) {
    struct stat info {};
    return ::fstat(file, &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}

std::error_code lastError() { return {errno, std::generic_category()}; }

// The system's text for an error, without the line end and full stop that some systems add.
std::u16string reasonText(const std::error_code& error) {
    std::string message = error.message();
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    std::u16string text;
    for (const char character : message) text += fromCodePageByte(static_cast<std::uint8_t>(character));
    return text;
}

FileIoFailure systemFailure(std::string step, const std::error_code& error) {
    return {std::move(step), error, reasonText(error)};
}

// A file that opened but could not be read says so, with the system's reason.
FileIoFailure readFailure(const std::error_code& error) {
    return {"read", error, u"read error (" + reasonText(error) + u")"};
}

FileIoFailure refusal(std::string step, std::u16string reason) { return {std::move(step), {}, std::move(reason)}; }

struct NewFile {
    int handle = -1;
    fs::path path;
};

// A file of a new name beside `target`, created empty and open for writing.
std::variant<NewFile, FileIoFailure> createFileBeside(const fs::path& target) {
    std::random_device random;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely about "." + std::to_string(...).
        fs::path candidate = target;
        candidate += ".";
        candidate += std::to_string(random() % 1000000);
        candidate += ".tmp";
        const int handle = createNewFile(candidate);
        if (handle >= 0) return NewFile{handle, std::move(candidate)};
        if (errno != EEXIST) return systemFailure("create the new file", lastError());
    }
    return systemFailure("create the new file", std::make_error_code(std::errc::file_exists));
}

// Writes all bytes, flushes them to the disk and closes the file, which is closed whatever fails.
std::optional<FileIoFailure> writeAndClose(int file, std::string_view bytes) {
    std::optional<FileIoFailure> failure;
    while (!bytes.empty() && !failure) {
        const long written = writeSome(file, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) failure = systemFailure("write", lastError());
        if (written > 0) bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (!failure && syncToDisk(file) != 0) failure = systemFailure("flush", lastError());
    if (closeFile(file) != 0 && !failure) failure = systemFailure("close", lastError());
    return failure;
}

}  // namespace

fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::variant<std::string, FileIoFailure> readSettingsFileBytes(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return refusal("check", u"no such file");
    if (error) return systemFailure("check", error);
    if (!fs::is_regular_file(status)) return refusal("check", u"not a file");

    const int file = openForReading(path);
    if (file < 0) return systemFailure("open", lastError());
    std::optional<FileIoFailure> failure;
    if (!isRegularOpenFile(file)) failure = refusal("open", u"not a file");
    // One byte past the limit tells whether the file goes on.
    std::string bytes(kMostSettingsFileBytes + 1, '\0');
    std::size_t count = 0;
    while (!failure && count < bytes.size()) {
        const long read = readSome(file, bytes.data() + count, bytes.size() - count);
        if (read == 0) break;
        if (read < 0 && errno != EINTR) failure = readFailure(lastError());
        if (read > 0) count += static_cast<std::size_t>(read);
    }
    closeFile(file);
    if (failure) return *failure;

    const bool goesOn = count > kMostSettingsFileBytes;
    bytes.resize(std::min(count, kMostSettingsFileBytes));
    if (goesOn && !holdsAllLines(bytes)) {
        return refusal("read", u"too large");
    }
    return bytes;
}

std::optional<FileIoFailure> replaceSettingsFile(const fs::path& path, std::string_view bytes) {
    auto created = createFileBeside(path);
    if (auto* failure = std::get_if<FileIoFailure>(&created)) return std::move(*failure);
    const NewFile& newFile = std::get<NewFile>(created);
    keepModeOf(path, newFile.handle);

    std::optional<FileIoFailure> failure = writeAndClose(newFile.handle, bytes);
    if (!failure) {
        std::error_code error;
        fs::rename(newFile.path, path, error);
        if (error) failure = systemFailure("rename", error);
    }
    if (failure) {
        std::error_code ignored;
        fs::remove(newFile.path, ignored);
    }
    return failure;
}

}  // namespace cdr
