#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "hid/linux/hidraw_platform.h"

namespace cdr::hid::test {

// A sysfs class folder and a device-node folder in a temporary directory. The device nodes are opened through
// opener(): as hidraw does, every open of a node is a channel of its own that keeps report boundaries (one
// SOCK_SEQPACKET socket pair per open), and every input report reaches every open channel. The far ends of the
// channels stand in for the device. Paths that are not nodes of this tree go to open(2).
class FakeHidrawTree {
public:
    FakeHidrawTree();
    ~FakeHidrawTree();
    FakeHidrawTree(const FakeHidrawTree&) = delete;
    FakeHidrawTree& operator=(const FakeHidrawTree&) = delete;

    const std::filesystem::path& sysfsRoot() const { return sysfsRoot_; }
    const std::filesystem::path& deviceFolder() const { return deviceFolder_; }
    std::string devicePath(const std::string& interfaceName) const { return (deviceFolder_ / interfaceName).string(); }
    HidrawPlatform::NodeOpener opener();

    // Adds hidrawN with HID_ID=0003:vendor:product and the given report descriptor.
    void addInterface(const std::string& interfaceName, std::uint16_t vendorId, std::uint16_t productId,
                      const std::vector<std::uint8_t>& descriptor);
    // Adds an entry whose device node does not exist.
    void addInterfaceWithoutNode(const std::string& interfaceName);

    // The device side of an interface: one input report to every channel still open.
    void sendInputReport(const std::string& interfaceName, const std::vector<std::uint8_t>& report);
    // The next output report written through any channel of the interface; empty when there is none.
    std::vector<std::uint8_t> readOutput(const std::string& interfaceName);
    // Opens of the interface's node so far, and those the platform has not closed yet.
    int opens(const std::string& interfaceName) const;
    int opensLeft(const std::string& interfaceName) const;
    // Closes the device side, which the platform then sees as a hang-up.
    void unplug(const std::string& interfaceName);

private:
    int openNode(const char* path, int flags);

    std::filesystem::path root_;
    std::filesystem::path sysfsRoot_;
    std::filesystem::path deviceFolder_;
    // The device ends of the channels, per interface with a node.
    std::map<std::string, std::vector<int>> channels_;
};

}  // namespace cdr::hid::test
