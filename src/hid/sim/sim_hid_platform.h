#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hid/hid_platform.h"
#include "hid/read_completion_events.h"

namespace cdr::hid::sim {

// How a virtual device answers an output report. It receives the whole report as written (byte 0 the report
// ID) and returns the one input report to deliver next (byte 0 the report ID), or nothing for no answer. It is
// called once per written report, inside writeFile. A virtual reader plugs in here.
using Responder = std::function<std::optional<std::vector<std::uint8_t>>(std::span<const std::uint8_t> outputReport)>;

// The script of one virtual HID device.
struct VirtualDevice {
    DeviceAttributes identity;
    std::string path;
    Capabilities capabilities;
    // Detail-record size reported for the device's interface; by default that of a real record (4-byte size
    // field, the path, a terminating zero).
    std::optional<std::uint32_t> detailSize;
    bool refusesOpen = false;
    // Opens that succeed before every further one is refused; none: no such limit.
    std::optional<int> opensGranted;
    // What the system says when an open is refused.
    SystemError refusal{13, "Permission denied"};
    // Empty: the device never answers.
    Responder responder;
    // Every wait for one of its reports fails (neither arrival nor time-out).
    bool waitFails = false;
    // Every write fails with this error while the device stays present (a device that takes no output reports).
    std::optional<SystemError> writeError;
    // Nothing but a keyboard, keypad or mouse: the system's, as lookBeforeOpening tells.
    bool onlyKeyboardsAndMice = false;
};

// One output report as it reached a device.
struct WrittenReport {
    std::size_t device = 0;
    Handle handle = kNoHandle;
    std::vector<std::uint8_t> bytes;
};

// A HID platform of virtual devices, for tests. Nothing sleeps: a wait either finds a report already queued or
// answers a time-out at once. Every handle, list, event and descriptor value it hands out is unique and above 0.
// It records what the link did to it, and counts every use of a handle after that handle was closed.
class SimHidPlatform final : public HidPlatform {
public:
    // Adds a device at the end of the enumeration order; returns its index.
    std::size_t addDevice(VirtualDevice device);
    // Takes a device out of the enumeration as if it were unplugged: opens fail, and its handles stay valid but
    // write nothing and every wait on them fails. plug puts it back.
    void unplug(std::size_t device);
    void plug(std::size_t device);
    bool isPlugged(std::size_t device) const { return devices_.at(device).plugged; }
    // Makes lookBeforeOpening describe the plugged devices, as a system does that tells a device's identity
    // without opening it; by default it tells nothing, as Windows does.
    void describeDevicesUnopened() { describesUnopened_ = true; }
    // Queues an input report the device sends unasked.
    void queueInputReport(std::size_t device, std::vector<std::uint8_t> report);

    // Open attempts on the device's path, refused ones included.
    int openAttempts(std::size_t device) const;
    // Handles opened on the device, in order of opening.
    std::vector<Handle> handlesOf(std::size_t device) const;
    int closeCount(Handle handle) const;
    // Whether the handle was opened for overlapped (bounded) reads.
    bool openedOverlapped(Handle handle) const;
    // Handles opened and not yet closed, over all devices.
    std::vector<Handle> openHandles() const;
    // Calls that named a handle after it had been closed.
    int staleHandleUses() const { return staleHandleUses_; }
    int classDevsCalls() const { return classDevsCalls_; }
    int liveDeviceLists() const { return static_cast<int>(lists_.size()); }
    int livePreparsedData() const { return static_cast<int>(preparsed_.size()); }
    int createdEvents() const { return createdEvents_; }
    bool isSignalled(Event event) const { return events_.isSignalled(event); }
    bool hasPendingRead() const { return events_.anyStarted(); }
    const std::vector<WrittenReport>& writtenReports() const { return written_; }
    const std::vector<std::uint32_t>& timeoutsAsked() const { return timeoutsAsked_; }
    const std::vector<std::uint32_t>& detailSizesReported() const { return detailSizesReported_; }

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
    bool identityOf(const std::string& path, DeviceAttributes& attributes) override;
    std::optional<UnopenedDevice> lookBeforeOpening(const std::string& path) override;
    SystemError lastError() const override { return lastError_; }

private:
    struct DeviceState {
        VirtualDevice script;
        std::deque<std::vector<std::uint8_t>> inputQueue;
        int openAttempts = 0;
        std::vector<Handle> handles;
        bool plugged = true;
    };
    struct HandleState {
        std::size_t device = 0;
        int closes = 0;
        bool overlapped = false;
    };

    Handle nextValue() { return nextValue_++; }
    // The device behind an open handle, or nothing (counting a stale use) for a closed or unknown one.
    std::optional<std::size_t> deviceIndexOf(Handle handle);
    const DeviceState* deviceAt(DeviceList list, const DeviceInterface& entry) const;
    DeviceState* pluggedDeviceAt(const std::string& path);

    std::vector<DeviceState> devices_;
    std::map<Handle, HandleState> handles_;
    std::map<DeviceList, std::vector<std::size_t>> lists_;
    std::map<PreparsedData, std::size_t> preparsed_;
    ReadCompletionEvents events_;
    std::vector<WrittenReport> written_;
    std::vector<std::uint32_t> timeoutsAsked_;
    std::vector<std::uint32_t> detailSizesReported_;
    int staleHandleUses_ = 0;
    int classDevsCalls_ = 0;
    int createdEvents_ = 0;
    bool describesUnopened_ = false;
    SystemError lastError_;
    std::intptr_t nextValue_ = 1;
};

}  // namespace cdr::hid::sim
