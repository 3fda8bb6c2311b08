#include "fake_hidraw_tree.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace cdr::hid::test {

namespace fs = std::filesystem;

FakeHidrawTree::FakeHidrawTree() {
    std::string pattern = (fs::temp_directory_path() / "cdr-hidraw-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("no temporary directory");
    }
    root_ = pattern;
    sysfsRoot_ = root_ / "sys" / "class" / "hidraw";
    deviceFolder_ = root_ / "dev";
    fs::create_directories(sysfsRoot_);
    fs::create_directories(deviceFolder_);
}

FakeHidrawTree::~FakeHidrawTree() {
    for (const auto& [name, terminal] : terminals_) {
        for (const int fd : {terminal.master, terminal.slave}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void FakeHidrawTree::addInterface(const std::string& interfaceName, std::uint16_t vendorId, std::uint16_t productId,
                                  const std::vector<std::uint8_t>& descriptor) {
    const fs::path hidDevice = sysfsRoot_ / interfaceName / "device";
    fs::create_directories(hidDevice);
    char identity[64];
    std::snprintf(identity, sizeof identity, "HID_ID=0003:%08X:%08X\n", vendorId, productId);
    std::ofstream(hidDevice / "uevent") << "DRIVER=hid-generic\n" << identity << "HID_NAME=Test Device\n";
    std::ofstream(hidDevice / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));

    Terminal terminal;
    terminal.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(terminal.master, 0);
    ASSERT_EQ(::grantpt(terminal.master), 0);
    ASSERT_EQ(::unlockpt(terminal.master), 0);
    const std::string slavePath = ::ptsname(terminal.master);
    terminal.slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(terminal.slave, 0);
    termios mode{};
    ASSERT_EQ(::tcgetattr(terminal.slave, &mode), 0);
    ::cfmakeraw(&mode);
    ASSERT_EQ(::tcsetattr(terminal.slave, TCSANOW, &mode), 0);
    terminals_[interfaceName] = terminal;
    fs::create_symlink(slavePath, deviceFolder_ / interfaceName);
}

void FakeHidrawTree::addInterfaceWithoutNode(const std::string& interfaceName) {
    const fs::path hidDevice = sysfsRoot_ / interfaceName / "device";
    fs::create_directories(hidDevice);
    std::ofstream(hidDevice / "uevent") << "HID_ID=0003:0000FFFF:0000FFFC\n";
}

namespace {

// Long enough for a loaded machine; only reached when the bytes never come.
constexpr int kDeliveryLimitMs = 5000;

bool waitReadable(int fd) {
    pollfd ready{fd, POLLIN, 0};
    return ::poll(&ready, 1, kDeliveryLimitMs) > 0 && (ready.revents & POLLIN) != 0;
}

}  // namespace

void FakeHidrawTree::sendInputReport(const std::string& interfaceName, const std::vector<std::uint8_t>& report) {
    const Terminal& terminal = terminals_.at(interfaceName);
    const ssize_t written = ::write(terminal.master, report.data(), report.size());
    ASSERT_EQ(written, static_cast<ssize_t>(report.size()));
    ASSERT_TRUE(waitReadable(terminal.slave));
}

std::vector<std::uint8_t> FakeHidrawTree::readOutput(const std::string& interfaceName, std::size_t count) {
    const int master = terminals_.at(interfaceName).master;
    std::vector<std::uint8_t> output(count);
    std::size_t received = 0;
    while (received < count && waitReadable(master)) {
        const ssize_t chunk = ::read(master, output.data() + received, count - received);
        if (chunk <= 0) {
            break;
        }
        received += static_cast<std::size_t>(chunk);
    }
    output.resize(received);
    return output;
}

void FakeHidrawTree::unplug(const std::string& interfaceName) {
    Terminal& terminal = terminals_.at(interfaceName);
    ::close(terminal.master);
    terminal.master = -1;
}

}  // namespace cdr::hid::test
