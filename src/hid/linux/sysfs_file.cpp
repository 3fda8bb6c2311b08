#include "hid/linux/sysfs_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace cdr::hid {

namespace {

constexpr std::size_t kChunkBytes = 4096;

}  // namespace

std::optional<std::string> readSysfsFile(const std::filesystem::path& path) {
    // Plain reads, so that a read error (a folder, a device gone) is an answer rather than an exception. A FIFO
    // or a device node is never waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string text;
    char chunk[kChunkBytes];
    for (;;) {
        const ssize_t length = ::read(fd, chunk, sizeof chunk);
        if (length < 0 && errno == EINTR) {
            continue;
        }
        if (length <= 0) {
            ::close(fd);
            return length == 0 ? std::optional(std::move(text)) : std::nullopt;
        }
        text.append(chunk, static_cast<std::size_t>(length));
    }
}

}  // namespace cdr::hid
