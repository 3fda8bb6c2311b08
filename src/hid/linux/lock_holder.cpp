#include "hid/linux/lock_holder.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <sstream>

#include "hid/linux/sysfs_file.h"

namespace cdr::hid {

std::optional<std::string> flockHolder(int fd, const std::string& procRoot) {
    struct stat file {};
    const auto locks = ::fstat(fd, &file) == 0 ? readSysfsFile(procRoot + "/locks") : std::nullopt;
    if (!locks) {
        return std::nullopt;
    }
    // Lines such as "3: FLOCK  ADVISORY  WRITE 4242 00:05:1093 0 EOF"; waiters carry "->" and hold nothing.
    std::istringstream lines(*locks);
    for (std::string line; std::getline(lines, line);) {
        char kind[16] = {};
        long pid = 0;
        unsigned major = 0;
        unsigned minor = 0;
        unsigned long long inode = 0;
        if (line.find("->") != std::string::npos ||
            std::sscanf(line.c_str(), "%*d: %15s %*s %*s %ld %x:%x:%llu", kind, &pid, &major, &minor, &inode) != 5 ||
            std::string(kind) != "FLOCK" || major != ::major(file.st_dev) || minor != ::minor(file.st_dev) ||
            inode != file.st_ino) {
            continue;
        }
        auto name = readSysfsFile(procRoot + "/" + std::to_string(pid) + "/comm").value_or("another program\n");
        if (!name.empty() && name.back() == '\n') name.pop_back();
        return name + " (process " + std::to_string(pid) + ")";
    }
    return std::nullopt;
}

}  // namespace cdr::hid
