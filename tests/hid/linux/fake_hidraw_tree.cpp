#include "fake_hidraw_tree.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace cdr::hid::test {

namespace fs = std::filesystem;

namespace {

// The largest report a test sends or expects.
constexpr std::size_t kMaxReportBytes = 4096;

bool peerClosed(int deviceEnd) {
    pollfd state{deviceEnd, 0, 0};
    return ::poll(&state, 1, 0) > 0 && (state.revents & POLLHUP) != 0;
}

}  // namespace

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
    for (const auto& [name, deviceEnds] : channels_) {
        for (const int fd : deviceEnds) {
            ::close(fd);
        }
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

HidrawPlatform::NodeOpener FakeHidrawTree::opener() {
    return [this](const char* path, int flags) { return openNode(path, flags); };
}

int FakeHidrawTree::openNode(const char* path, int flags) {
    const auto node = channels_.find(fs::path(path).filename().string());
    if (fs::path(path).parent_path() != deviceFolder_ || node == channels_.end()) {
        return ::open(path, flags);
    }
    const int type = SOCK_SEQPACKET | ((flags & O_NONBLOCK) != 0 ? SOCK_NONBLOCK : 0) |
                     ((flags & O_CLOEXEC) != 0 ? SOCK_CLOEXEC : 0);
    int ends[2];
    if (::socketpair(AF_UNIX, type, 0, ends) != 0) {
        return -1;
    }
    // The device end never blocks the test.
    ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
    node->second.push_back(ends[1]);
    return ends[0];
}

void FakeHidrawTree::addInterface(const std::string& interfaceName, std::uint16_t vendorId, std::uint16_t productId,
                                  const std::vector<std::uint8_t>& descriptor) {
    // As the kernel lays it out: the class entry links to the node's folder below its HID device, and the node's
    // device link leads back up to that device.
    char deviceName[32];
    std::snprintf(deviceName, sizeof deviceName, "0003:%04X:%04X.%04zX", vendorId, productId, channels_.size() + 1);
    const fs::path hidDevice = root_ / "sys" / "devices" / deviceName;
    const fs::path node = hidDevice / "hidraw" / interfaceName;
    fs::create_directories(node);
    fs::create_directory_symlink("../..", node / "device");
    fs::create_directory_symlink(node, sysfsRoot_ / interfaceName);
    char vendor[16];
    char product[16];
    std::snprintf(vendor, sizeof vendor, "%08X", vendorId);
    std::snprintf(product, sizeof product, "%08X", productId);
    std::ofstream(hidDevice / "uevent") << "DRIVER=hid-generic\nHID_ID=0003:" << vendor << ':' << product
                                        << "\nHID_NAME=Test Device\nHID_PHYS=usb-0000:00:14.0-1/input0\nHID_UNIQ=\n"
                                        << "MODALIAS=hid:b0003g0001v" << vendor << 'p' << product << '\n';
    std::ofstream(hidDevice / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));
    channels_[interfaceName];
}

void FakeHidrawTree::addInterfaceWithoutNode(const std::string& interfaceName) {
    const fs::path hidDevice = sysfsRoot_ / interfaceName / "device";
    fs::create_directories(hidDevice);
    std::ofstream(hidDevice / "uevent") << "HID_ID=0003:0000FFFF:0000FFFC\n";
}

void FakeHidrawTree::sendInputReport(const std::string& interfaceName, const std::vector<std::uint8_t>& report) {
    for (const int deviceEnd : channels_.at(interfaceName)) {
        if (peerClosed(deviceEnd)) {
            continue;
        }
        // A channel nobody reads fills up; hidraw drops reports then too.
        const ssize_t sent = ::send(deviceEnd, report.data(), report.size(), MSG_NOSIGNAL);
        ASSERT_TRUE(sent == static_cast<ssize_t>(report.size()) || errno == EAGAIN) << "send: " << errno;
    }
}

std::vector<std::uint8_t> FakeHidrawTree::readOutput(const std::string& interfaceName) {
    std::vector<std::uint8_t> report(kMaxReportBytes);
    for (const int deviceEnd : channels_.at(interfaceName)) {
        const ssize_t length = ::recv(deviceEnd, report.data(), report.size(), MSG_DONTWAIT);
        if (length >= 0) {
            report.resize(static_cast<std::size_t>(length));
            return report;
        }
    }
    return {};
}

int FakeHidrawTree::opens(const std::string& interfaceName) const {
    return static_cast<int>(channels_.at(interfaceName).size());
}

int FakeHidrawTree::opensLeft(const std::string& interfaceName) const {
    const auto& deviceEnds = channels_.at(interfaceName);
    return static_cast<int>(
        std::count_if(deviceEnds.begin(), deviceEnds.end(), [](int deviceEnd) { return !peerClosed(deviceEnd); }));
}

void FakeHidrawTree::unplug(const std::string& interfaceName) {
    for (int& deviceEnd : channels_.at(interfaceName)) {
        ::shutdown(deviceEnd, SHUT_RDWR);
    }
}

}  // namespace cdr::hid::test
