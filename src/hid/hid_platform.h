#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace cdr::hid {

// Opaque values handed out by a platform. A device handle counts as open when it is greater than 0; a backend
// never hands out 0 or a negative value for an open device.
using Handle = std::intptr_t;
using DeviceList = std::intptr_t;
using Event = std::intptr_t;
using PreparsedData = std::intptr_t;
inline constexpr Handle kNoHandle = 0;

inline bool isOpen(Handle handle) { return handle > 0; }

// The interface class that lists HID devices (a GUID on Windows).
struct InterfaceClass {
    std::array<std::uint8_t, 16> id{};
};

// One entry of a device list, as the enumeration filled it; platformData is the backend's own record.
struct DeviceInterface {
    std::uint32_t memberIndex = 0;
    std::array<std::uint8_t, 32> platformData{};
};

struct DeviceAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

// Report lengths in bytes, the report-ID byte included.
struct Capabilities {
    std::int16_t inputReportByteLength = 0;
    std::int16_t outputReportByteLength = 0;
};

enum class WaitResult { Arrived, TimedOut, Failed };

// The system's word on why a call failed: errno and strerror on Linux, GetLastError and its message on Windows.
// A code of 0 means the call did not fail.
struct SystemError {
    std::int64_t code = 0;
    std::string text;

    bool operator==(const SystemError&) const = default;
};

// What the system tells of a device before it is opened.
struct UnopenedDevice {
    DeviceAttributes identity;
    // The device holds nothing but keyboards, keypads and mice, which belong to the system.
    bool onlyKeyboardsAndMice = false;
};

// What the HID link needs of an operating system. The calls map one for one onto the Windows HID class,
// device-setup, file and synchronisation services; other backends provide the same behaviour their own way.
// Every call is made on the window's thread.
class HidPlatform {
public:
    virtual ~HidPlatform() = default;

    // Discovery: the HID interface class, a list of the present HID interfaces in a stable order, the entry at a
    // member index (false past the end), the size of its detail record, and its device path.
    virtual InterfaceClass getHidGuid() = 0;
    virtual DeviceList getClassDevs(const InterfaceClass& hidClass) = 0;
    virtual bool enumDeviceInterfaces(DeviceList list, const InterfaceClass& hidClass, std::uint32_t memberIndex,
                                      DeviceInterface& entry) = 0;
    virtual std::uint32_t getInterfaceDetailSize(DeviceList list, const DeviceInterface& entry) = 0;
    virtual std::string getInterfaceDevicePath(DeviceList list, const DeviceInterface& entry,
                                               std::uint32_t requiredSize) = 0;
    virtual void destroyDeviceInfoList(DeviceList list) = 0;

    // Opens a device path for reading and writing, shared; overlapped opens are for bounded reads.
    // Returns a handle that is not open (see isOpen) on failure.
    virtual Handle createFile(const std::string& path, bool overlapped) = 0;
    virtual bool getAttributes(Handle device, DeviceAttributes& attributes) = 0;
    // The identity of the device at a path without opening it for reading or writing, so that a device the user
    // has no access to can still be recognised; false when the system does not tell.
    virtual bool identityOf(const std::string& path, DeviceAttributes& attributes) = 0;
    // Where the system describes a device without it being opened at all (sysfs on Linux): what it tells of the
    // device at path, so that no other device is ever opened. Nothing where it does not; the link then opens each
    // candidate to learn its identity.
    virtual std::optional<UnopenedDevice> lookBeforeOpening(const std::string& /*path*/) { return std::nullopt; }
    // Takes an advisory lock on a device opened for writing, so that two programs never write one reader at once;
    // closing the handle releases it. False when another program holds it: lastError then says so, naming the
    // holder where the system tells.
    virtual bool claim(Handle /*device*/) { return true; }
    // Who holds the advisory lock of an open device, named as claim names them; nothing when nobody does or the
    // system does not tell.
    virtual std::optional<std::string> lockHolder(Handle /*device*/) { return std::nullopt; }
    virtual PreparsedData getPreparsedData(Handle device) = 0;
    virtual Capabilities getCaps(PreparsedData data) = 0;
    virtual void freePreparsedData(PreparsedData data) = 0;
    virtual void closeHandle(Handle handle) = 0;

    // The completion event of reads: manual reset, created signalled.
    virtual Event createEvent() = 0;
    virtual void resetEvent(Event event) = 0;

    // One output report, written synchronously.
    virtual void writeFile(Handle device, std::span<const std::uint8_t> report) = 0;
    // Drops input reports that the device sent unasked and that are still queued on the read handle.
    virtual void discardPendingInput(Handle readHandle) = 0;
    // Starts a read of one input report into buffer; the buffer must stay valid until the wait reported arrival
    // or the read was cancelled.
    virtual void readFile(Handle readHandle, std::span<std::uint8_t> buffer, Event completion) = 0;
    virtual WaitResult waitForSingleObject(Event completion, std::uint32_t timeoutMs) = 0;
    // Abandons the pending read; once it returns the buffer is no longer written.
    virtual void cancelIo(Handle readHandle) = 0;

    // The system error of the last call made (code 0 when it succeeded or the call does not report one).
    virtual SystemError lastError() const = 0;
};

}  // namespace cdr::hid
