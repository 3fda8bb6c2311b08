#include <windows.h>
#include <setupapi.h>

// MinGW-w64's HID headers have no C++ linkage guards of their own; hidsdi.h brings in hidusage.h and hidpi.h in
// the order they need.
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "hid/system_platform.h"
#include "hid/windows/error_text.h"
#include "hid/windows/overlapped_read.h"

namespace cdr::hid {
namespace {

static_assert(sizeof(GUID) == sizeof(InterfaceClass::id));
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) <= sizeof(DeviceInterface::platformData));

HANDLE toWindows(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Windows reports a failed open as INVALID_HANDLE_VALUE (-1) and some calls as NULL; both are "not open" here.
Handle fromWindows(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return kNoHandle;
    return reinterpret_cast<Handle>(handle);
}

GUID toGuid(const InterfaceClass& hidClass) {
    GUID guid{};
    std::memcpy(&guid, hidClass.id.data(), sizeof guid);
    return guid;
}

SP_DEVICE_INTERFACE_DATA toInterfaceData(const DeviceInterface& entry) {
    SP_DEVICE_INTERFACE_DATA data{};
    std::memcpy(&data, entry.platformData.data(), sizeof data);
    return data;
}

HDEVINFO toDeviceInfoSet(DeviceList list) { return reinterpret_cast<HDEVINFO>(list); }

class WindowsHidPlatform final : public HidPlatform {
public:
    InterfaceClass getHidGuid() override {
        GUID guid{};
        HidD_GetHidGuid(&guid);
        InterfaceClass hidClass;
        std::memcpy(hidClass.id.data(), &guid, sizeof guid);
        return hidClass;
    }

    DeviceList getClassDevs(const InterfaceClass& hidClass) override {
        const GUID guid = toGuid(hidClass);
        const HDEVINFO list = SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        return reinterpret_cast<DeviceList>(list);
    }

    bool enumDeviceInterfaces(DeviceList list, const InterfaceClass& hidClass, std::uint32_t memberIndex,
                              DeviceInterface& entry) override {
        const GUID guid = toGuid(hidClass);
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        const BOOL found = SetupDiEnumDeviceInterfaces(toDeviceInfoSet(list), nullptr, &guid, memberIndex, &data);
        entry.memberIndex = memberIndex;
        entry.platformData = {};
        std::memcpy(entry.platformData.data(), &data, sizeof data);
        return found != FALSE;
    }

    std::uint32_t getInterfaceDetailSize(DeviceList list, const DeviceInterface& entry) override {
        SP_DEVICE_INTERFACE_DATA data = toInterfaceData(entry);
        DWORD requiredSize = 0;
        SetupDiGetDeviceInterfaceDetailA(toDeviceInfoSet(list), &data, nullptr, 0, &requiredSize, nullptr);
        return requiredSize;
    }

    // The detail record is the record's size field followed by the zero-terminated path. The size field holds the
    // size of the record's fixed part as this build lays it out (8 bytes on 64-bit Windows, 5 on 32-bit); the
    // buffer has room for the size field even when the required size is smaller, in which case Windows refuses
    // the call and the path stays empty.
    std::string getInterfaceDevicePath(DeviceList list, const DeviceInterface& entry,
                                       std::uint32_t requiredSize) override {
        constexpr std::size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        std::vector<char> buffer(
            std::max<std::size_t>(std::size_t{requiredSize} + 1, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) + 1));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        SP_DEVICE_INTERFACE_DATA data = toInterfaceData(entry);
        DWORD reportedSize = 0;
        SetupDiGetDeviceInterfaceDetailA(toDeviceInfoSet(list), &data, detail, requiredSize, &reportedSize, nullptr);
        const char* path = buffer.data() + kPathOffset;
        return std::string(path, strnlen(path, buffer.size() - kPathOffset));
    }

    void destroyDeviceInfoList(DeviceList list) override { SetupDiDestroyDeviceInfoList(toDeviceInfoSet(list)); }

    Handle createFile(const std::string& path, bool overlapped) override {
        // No security attributes: the handle has the default descriptor and is not inherited by child processes.
        const HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr);
        lastErrorCode_ = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        return fromWindows(handle);
    }

    // A HID device answers its identity also to an open that asks for no access, which needs no rights to it.
    bool identityOf(const std::string& path, DeviceAttributes& attributes) override {
        const HANDLE handle =
            CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        const bool known = getAttributes(fromWindows(handle), attributes);
        CloseHandle(handle);
        return known;
    }

    SystemError lastError() const override {
        return SystemError{static_cast<std::int64_t>(lastErrorCode_), GetErrorText(lastErrorCode_)};
    }

    // A failed query clears attributes, so an earlier device's identity is never taken for this one's.
    bool getAttributes(Handle device, DeviceAttributes& attributes) override {
        attributes = {};
        HIDD_ATTRIBUTES queried{};
        queried.Size = sizeof queried;
        if (!HidD_GetAttributes(toWindows(device), &queried)) return false;
        attributes.vendorId = queried.VendorID;
        attributes.productId = queried.ProductID;
        attributes.versionNumber = queried.VersionNumber;
        return true;
    }

    PreparsedData getPreparsedData(Handle device) override {
        PHIDP_PREPARSED_DATA data = nullptr;
        if (!HidD_GetPreparsedData(toWindows(device), &data)) return 0;
        return reinterpret_cast<PreparsedData>(data);
    }

    // Without descriptor data (the device refused it) there is nothing to read the lengths from: both are 0.
    Capabilities getCaps(PreparsedData data) override {
        if (data == 0) return {};
        HIDP_CAPS caps{};
        if (HidP_GetCaps(reinterpret_cast<PHIDP_PREPARSED_DATA>(data), &caps) != HIDP_STATUS_SUCCESS) return {};
        return Capabilities{static_cast<std::int16_t>(caps.InputReportByteLength),
                            static_cast<std::int16_t>(caps.OutputReportByteLength)};
    }

    void freePreparsedData(PreparsedData data) override {
        if (data != 0) HidD_FreePreparsedData(reinterpret_cast<PHIDP_PREPARSED_DATA>(data));
    }

    // A read still pending on the handle is settled first: closing alone would let it end, and write its buffer,
    // after this call.
    void closeHandle(Handle handle) override {
        if (!isOpen(handle)) return;
        if (read_.isPendingOn(toWindows(handle))) read_.settle();
        CloseHandle(toWindows(handle));
    }

    // Not inherited by child processes, like the device handles.
    Event createEvent() override { return fromWindows(CreateEventA(nullptr, TRUE, TRUE, nullptr)); }

    void resetEvent(Event event) override { ResetEvent(toWindows(event)); }

    void writeFile(Handle device, std::span<const std::uint8_t> report) override {
        DWORD written = 0;
        const BOOL ok =
            WriteFile(toWindows(device), report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
        lastErrorCode_ = ok ? ERROR_SUCCESS : GetLastError();
    }

    void discardPendingInput(Handle readHandle) override { HidD_FlushQueue(toWindows(readHandle)); }

    void readFile(Handle readHandle, std::span<std::uint8_t> buffer, Event completion) override {
        lastErrorCode_ = read_.start(toWindows(readHandle), buffer, toWindows(completion));
    }

    // A signalled event only says the read ended: its own result says whether a report came. A read that failed,
    // or never started, is a failed wait with the system's reason, which stays the last error while the link closes
    // the device.
    WaitResult waitForSingleObject(Event completion, std::uint32_t timeoutMs) override {
        lastErrorCode_ = read_.startError(toWindows(completion));
        if (lastErrorCode_ != ERROR_SUCCESS) return WaitResult::Failed;
        switch (WaitForSingleObject(toWindows(completion), timeoutMs)) {
        case WAIT_OBJECT_0:
            lastErrorCode_ = read_.finish(toWindows(completion));
            return lastErrorCode_ == ERROR_SUCCESS ? WaitResult::Arrived : WaitResult::Failed;
        case WAIT_TIMEOUT:
            return WaitResult::TimedOut;
        default:  // WAIT_FAILED: an event is never abandoned
            lastErrorCode_ = GetLastError();
            return WaitResult::Failed;
        }
    }

    // The thread's last error stays CancelIo's, for the caller's log, across the wait for the cancellation.
    void cancelIo(Handle readHandle) override {
        CancelIo(toWindows(readHandle));
        const DWORD cancelError = GetLastError();
        if (read_.isPendingOn(toWindows(readHandle))) read_.settle();
        SetLastError(cancelError);
    }

private:
    OverlappedRead read_;
    DWORD lastErrorCode_ = ERROR_SUCCESS;
};

}  // namespace

std::unique_ptr<HidPlatform> makeSystemHidPlatform() { return std::make_unique<WindowsHidPlatform>(); }

}  // namespace cdr::hid
