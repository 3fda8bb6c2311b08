#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hid/call_log.h"
#include "hid/hid_platform.h"

namespace cdr::hid {

inline constexpr std::uint16_t READER_VENDOR_ID = 0xFFFF;
inline constexpr std::uint16_t READER_PRODUCT_ID = 0xFFFC;
inline constexpr std::uint8_t OUTPUT_REPORT_ID = 1;
inline constexpr std::uint32_t READ_TIMEOUT_MS = 6000;

// A present device with the reader's identity, and whether it could be opened (if not, the system's reason).
struct ReaderEntry {
    std::string path;
    DeviceAttributes identity;
    bool opens = false;
    SystemError reason;
    // The program that is writing the reader now, when one is ("cdr55p4w-cli (process 4242)").
    std::string inUseBy;
};

// How the last report transfer ended.
enum class TransferResult {
    Done,
    NotOpen,     // the device was not open: nothing was sent or read
    NotWritten,  // the system refused the output report while the device was still present
    Gone,        // the device went away: a write found it gone, or the wait for the reply failed
    TimedOut,    // no input report within READ_TIMEOUT_MS
};

struct TransferOutcome {
    TransferResult result = TransferResult::Done;
    // The system's error for NotWritten and Gone.
    SystemError cause;
};

// The link to the reader: discovery, the two device handles, the report lengths and single-report transfer.
// The window owns one for its whole lifetime; the platform and the observer must outlive it. Every platform call
// is followed by observer.afterPlatformCall with the call's fixed label.
class HidLink {
public:
    HidLink(HidPlatform& platform, LinkObserver& observer);
    // Closes handles that are still open, without logging: the observer may already be going away.
    ~HidLink();
    HidLink(const HidLink&) = delete;
    HidLink& operator=(const HidLink&) = delete;

    // Searches the present HID interfaces for the reader (without opening any the platform already tells is no
    // reader's command interface), opens and claims it for writing, opens it for bounded reads, and learns
    // its report lengths. Shows "Connected!" or "Not connected!". Handles still open from an earlier connection
    // are closed first.
    bool FindTheHid();
    // Every present device with the reader's identity, in enumeration order, apart from nodes that are only the
    // reader's keyboard. Each is opened once to see whether it can be, and closed again; one that cannot be opened
    // is recognised by identityOf and listed with the system's reason. Where the platform describes devices before
    // opening them, no other device is opened. Shows no status and leaves the link's own connection alone.
    std::vector<ReaderEntry> listReaders();
    // Opens the reader at a device path as FindTheHid opens the one it finds, without a status text. False when
    // the path cannot be opened or claimed (openError() says why) or is not the reader.
    bool openReader(const std::string& path);
    // The system's reason for the last open of openReader that failed.
    const SystemError& openError() const { return openError_; }

    // Closes both handles (each at most once) and clears deviceDetected.
    void CloseDeviceHandles();

    // Sends one output report: OUTPUT_REPORT_ID, then data[0 .. outputReportLength-2] (zeros where data is
    // shorter). Input reports already waiting are discarded first, so they are never taken for the reply. Sends
    // nothing while the device is closed. A write the system refuses closes both handles, since no reply can
    // follow it, so that the read after it fails at once.
    void WriteReport(std::span<const std::uint8_t> data);
    // Receives one input report of inputReportLength bytes (index 0 the report ID), waiting at most
    // READ_TIMEOUT_MS. When no report came (time-out or failed wait) the read is cancelled, both handles are
    // closed, deviceDetected is cleared and the reply is all zero. While the device is closed it fails at once.
    void ReadReport(std::vector<std::uint8_t>& reply);

    // How the last WriteReport and ReadReport went: the first failure of the pair, with its cause.
    const TransferOutcome& lastTransfer() const { return lastTransfer_; }

    bool deviceDetected() const { return deviceDetected_; }
    void setDeviceDetected(bool detected) { deviceDetected_ = detected; }
    const std::string& devicePath() const { return devicePath_; }
    std::int16_t inputReportLength() const { return inputReportLength_; }
    std::int16_t outputReportLength() const { return outputReportLength_; }
    Handle hidHandle() const { return HIDHandle_; }
    Handle readHandle() const { return ReadHandle_; }
    Event readEvent() const { return readEvent_; }

private:
    // Lists the present HID interfaces and hands each device path to visit, in order, until visit returns true.
    void visitInterfaces(const std::function<bool(const std::string& path)>& visit);
    // Whether the platform already tells, without opening it, that the device at path is not a reader to open.
    bool passOver(const std::string& path);
    // Opens the device at devicePath into HIDHandle; true when it is the reader, claimed and left open.
    bool examineCandidate();
    // The reader found or chosen in devicePath and open in HIDHandle: its report lengths and the read handle.
    void openForReading();
    void GetDeviceCaps();
    void PrepareOverlappedEvent();
    // Closes an open handle, logs the label and marks the handle as not open; does nothing for a closed one.
    void closeAndForget(Handle& handle, std::string_view label);
    void LogApiResult(std::string_view label);

    HidPlatform& platform_;
    LinkObserver& observer_;
    Handle HIDHandle_ = kNoHandle;
    Handle ReadHandle_ = kNoHandle;
    std::string devicePath_;
    std::int16_t inputReportLength_ = 0;
    std::int16_t outputReportLength_ = 0;
    bool deviceDetected_ = false;
    Event readEvent_ = 0;
    SystemError openError_;
    TransferOutcome lastTransfer_;
};

}  // namespace cdr::hid
