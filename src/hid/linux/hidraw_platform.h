#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "hid/hid_platform.h"
#include "hid/linux/report_descriptor.h"
#include "hid/read_completion_events.h"

namespace cdr::hid {

// The HID platform over Linux hidraw. The interfaces are the entries hidrawN of the sysfs class folder in
// numeric order, each opened as <device folder>/hidrawN. A device's identity comes from the uevent of its parent
// HID device and its report lengths from that device's report descriptor, both read through sysfs
// (<sysfs root>/hidrawN/device/uevent and .../report_descriptor). Reads are bounded with poll(); a read is
// carried out inside the wait, so a buffer is never written after the wait returned.
//
// Reports keep the shape the link expects: byte 0 of an input report is its report ID, 0 for a device without
// numbered reports (hidraw leaves the ID out there, so it is put in front); byte 0 of an output report is taken
// as its report ID and sent as 0 to a device without numbered reports.
//
// Keyboards, keypads and mice are the system's (see ReportLayout): lookBeforeOpening tells a node that holds
// nothing else from sysfs, and an open of such a node fails with EACCES; on a node that holds them beside other
// collections, their input reports are dropped by reads and discards alike, and never hold a read past its time.
//
// claim takes flock(2) on the node, which other programs of this kind take as well.
class HidrawPlatform final : public HidPlatform {
public:
    // Opens a device node as open(2) does: a descriptor, or -1 with errno set. Without one, open(2) itself.
    using NodeOpener = std::function<int(const char* path, int flags)>;
    // The time that bounds reads. Without one, the steady clock.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit HidrawPlatform(std::filesystem::path sysfsRoot = "/sys/class/hidraw",
                            std::filesystem::path deviceFolder = "/dev", NodeOpener openNode = {}, Clock clock = {});
    ~HidrawPlatform() override;
    HidrawPlatform(const HidrawPlatform&) = delete;
    HidrawPlatform& operator=(const HidrawPlatform&) = delete;

    InterfaceClass getHidGuid() override;
    DeviceList getClassDevs(const InterfaceClass& hidClass) override;
    bool enumDeviceInterfaces(DeviceList list, const InterfaceClass& hidClass, std::uint32_t memberIndex,
                              DeviceInterface& entry) override;
    std::uint32_t getInterfaceDetailSize(DeviceList list, const DeviceInterface& entry) override;
    std::string getInterfaceDevicePath(DeviceList list, const DeviceInterface& entry,
                                       std::uint32_t requiredSize) override;
    void destroyDeviceInfoList(DeviceList list) override;

    Handle createFile(const std::string& path, bool overlapped) override;
    bool getAttributes(Handle device, DeviceAttributes& attributes) override;
    PreparsedData getPreparsedData(Handle device) override;
    Capabilities getCaps(PreparsedData data) override;
    void freePreparsedData(PreparsedData data) override;
    void closeHandle(Handle handle) override;

    Event createEvent() override;
    void resetEvent(Event event) override;

    void writeFile(Handle device, std::span<const std::uint8_t> report) override;
    void discardPendingInput(Handle readHandle) override;
    void readFile(Handle readHandle, std::span<std::uint8_t> buffer, Event completion) override;
    WaitResult waitForSingleObject(Event completion, std::uint32_t timeoutMs) override;
    void cancelIo(Handle readHandle) override;
    // The identity from sysfs, which needs no access to the device node.
    bool identityOf(const std::string& path, DeviceAttributes& attributes) override;
    std::optional<UnopenedDevice> lookBeforeOpening(const std::string& path) override;
    bool claim(Handle device) override;
    std::optional<std::string> lockHolder(Handle device) override;
    SystemError lastError() const override { return lastError_; }

private:
    struct OpenDevice {
        std::string interfaceName;
        bool numberedReports = true;
        std::set<std::uint32_t> droppedInputReportIds;
    };

    std::string devicePathOf(const std::string& interfaceName) const;
    const std::string* interfaceAt(DeviceList list, const DeviceInterface& entry) const;
    std::optional<ReportLayout> readLayout(const std::string& interfaceName) const;
    std::optional<DeviceAttributes> identityOfInterface(const std::string& interfaceName) const;
    // Keeps errno of the call that just failed, or clears the last error when it succeeded.
    void noteResult(bool failed);
    // Reads one report into scratch_: its length, or -1 with errno set.
    long readOneReport(int fd);
    // Whether the report just read into scratch_ belongs to a keyboard, keypad or mouse.
    bool isDropped(const OpenDevice& device, long length) const;
    void deliver(const OpenDevice& device, long length, std::span<std::uint8_t> buffer) const;

    std::filesystem::path sysfsRoot_;
    std::filesystem::path deviceFolder_;
    NodeOpener openNode_;
    Clock clock_;
    std::map<DeviceList, std::vector<std::string>> lists_;
    std::map<Handle, OpenDevice> open_;
    std::map<PreparsedData, ReportLayout> preparsed_;
    ReadCompletionEvents events_;
    std::vector<std::uint8_t> scratch_;
    std::intptr_t nextValue_ = 1;
    SystemError lastError_;
};

}  // namespace cdr::hid
