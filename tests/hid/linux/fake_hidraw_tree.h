#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace cdr::hid::test {

// A sysfs class folder and a device-node folder in a temporary directory. Each interface's device node is a
// symbolic link to a pseudo-terminal in raw mode, whose master side stands in for the device: what the platform
// writes comes out of it, what the test writes into it arrives as an input report.
class FakeHidrawTree {
public:
    FakeHidrawTree();
    ~FakeHidrawTree();
    FakeHidrawTree(const FakeHidrawTree&) = delete;
    FakeHidrawTree& operator=(const FakeHidrawTree&) = delete;

    const std::filesystem::path& sysfsRoot() const { return sysfsRoot_; }
    const std::filesystem::path& deviceFolder() const { return deviceFolder_; }
    std::string devicePath(const std::string& interfaceName) const { return (deviceFolder_ / interfaceName).string(); }

    // Adds hidrawN with HID_ID=0003:vendor:product and the given report descriptor.
    void addInterface(const std::string& interfaceName, std::uint16_t vendorId, std::uint16_t productId,
                      const std::vector<std::uint8_t>& descriptor);
    // Adds an entry whose device node does not exist.
    void addInterfaceWithoutNode(const std::string& interfaceName);

    // The device side of an interface. A terminal passes bytes on asynchronously, so both wait (bounded) until
    // the bytes have come through.
    void sendInputReport(const std::string& interfaceName, const std::vector<std::uint8_t>& report);
    // The next count bytes written to the interface, fewer if they do not come.
    std::vector<std::uint8_t> readOutput(const std::string& interfaceName, std::size_t count);
    // Closes the device side, which the platform then sees as a hang-up.
    void unplug(const std::string& interfaceName);

private:
    struct Terminal {
        int master = -1;
        int slave = -1;  // kept open so that the terminal stays in raw mode between the platform's opens
    };

    std::filesystem::path root_;
    std::filesystem::path sysfsRoot_;
    std::filesystem::path deviceFolder_;
    std::map<std::string, Terminal> terminals_;
};

}  // namespace cdr::hid::test
