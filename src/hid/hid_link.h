#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "hid/call_log.h"
#include "hid/hid_platform.h"

namespace cdr::hid {

inline constexpr std::uint16_t READER_VENDOR_ID = 0xFFFF;
inline constexpr std::uint16_t READER_PRODUCT_ID = 0xFFFC;
inline constexpr std::uint8_t OUTPUT_REPORT_ID = 1;
inline constexpr std::uint32_t READ_TIMEOUT_MS = 6000;

// The link to the reader: discovery, the two device handles, the report lengths and single-report transfer.
// The window owns one for its whole lifetime.
class HidLink {
public:
    HidLink(HidPlatform& platform, LinkObserver& observer);
    ~HidLink();
    HidLink(const HidLink&) = delete;
    HidLink& operator=(const HidLink&) = delete;

    // Searches the present HID interfaces for the reader, opens it for writing and for bounded reads, and learns
    // its report lengths. Shows "Connected!" or "Not connected!".
    bool FindTheHid();
    // Closes both handles (each at most once) and clears deviceDetected.
    void CloseDeviceHandles();

    // Sends one output report: OUTPUT_REPORT_ID, then data[0 .. outputReportLength-2].
    void WriteReport(std::span<const std::uint8_t> data);
    // Receives one input report of inputReportLength bytes (index 0 the report ID), waiting at most
    // READ_TIMEOUT_MS; all zero when none came.
    void ReadReport(std::vector<std::uint8_t>& reply);

    bool deviceDetected() const { return deviceDetected_; }
    void setDeviceDetected(bool detected) { deviceDetected_ = detected; }
    const std::string& devicePath() const { return devicePath_; }
    std::int16_t inputReportLength() const { return inputReportLength_; }
    std::int16_t outputReportLength() const { return outputReportLength_; }
    Handle hidHandle() const { return HIDHandle_; }
    Handle readHandle() const { return ReadHandle_; }
    Event readEvent() const { return readEvent_; }

private:
    void GetDeviceCaps();
    void PrepareOverlappedEvent();
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
};

}  // namespace cdr::hid
