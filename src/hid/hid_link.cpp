#include "hid/hid_link.h"

#include <algorithm>

namespace cdr::hid {

namespace {

// The detail record starts with its own 32-bit size field; a smaller record cannot even hold that.
constexpr std::uint32_t kDetailSizeFieldBytes = 4;

bool isReaderIdentity(const DeviceAttributes& identity) {
    return identity.vendorId == READER_VENDOR_ID && identity.productId == READER_PRODUCT_ID;
}

}  // namespace

HidLink::HidLink(HidPlatform& platform, LinkObserver& observer) : platform_(platform), observer_(observer) {}

HidLink::~HidLink() {
    for (const Handle handle : {HIDHandle_, ReadHandle_}) {
        if (isOpen(handle)) {
            platform_.closeHandle(handle);
        }
    }
}

bool HidLink::FindTheHid() {
    // A connection left open (for instance when a caller searches again without disconnecting) is closed first,
    // so its handles do not leak when they are overwritten.
    CloseDeviceHandles();
    visitInterfaces([this](const std::string& path) {
        if (passOver(path)) {
            return false;
        }
        devicePath_ = path;
        deviceDetected_ = examineCandidate();
        return deviceDetected_;
    });
    if (!deviceDetected_) {
        observer_.showStatus("Not connected!");
        return false;
    }
    openForReading();
    observer_.showStatus("Connected!");
    PrepareOverlappedEvent();
    return true;
}

void HidLink::visitInterfaces(const std::function<bool(const std::string& path)>& visit) {
    const InterfaceClass hidClass = platform_.getHidGuid();
    LogApiResult("GetHidGuid");
    const DeviceList list = platform_.getClassDevs(hidClass);
    LogApiResult("SetupDiClassDevs");

    for (std::uint32_t memberIndex = 0;; ++memberIndex) {
        DeviceInterface entry;
        const bool present = platform_.enumDeviceInterfaces(list, hidClass, memberIndex, entry);
        LogApiResult("SetupDiEnumDeviceInterfaces");
        if (!present) {
            break;
        }
        const std::uint32_t detailSize = platform_.getInterfaceDetailSize(list, entry);
        LogApiResult("SetupDiGetDeviceInterfaceDetail");
        if (detailSize < kDetailSizeFieldBytes) {
            continue;
        }
        const std::string path = platform_.getInterfaceDevicePath(list, entry, detailSize);
        LogApiResult(" Result of second call: ");
        if (visit(path)) {
            break;
        }
    }

    platform_.destroyDeviceInfoList(list);
    LogApiResult("DestroyDeviceInfoList");
}

bool HidLink::passOver(const std::string& path) {
    const auto seen = platform_.lookBeforeOpening(path);
    return seen && (!isReaderIdentity(seen->identity) || seen->onlyKeyboardsAndMice);
}

bool HidLink::examineCandidate() {
    HIDHandle_ = platform_.createFile(devicePath_, false);
    LogApiResult("CreateFile");
    openError_ = platform_.lastError();
    // A fresh record per candidate: a failed query must not leave an earlier device's identity behind.
    DeviceAttributes attributes;
    platform_.getAttributes(HIDHandle_, attributes);
    LogApiResult("HidD_GetAttributes");

    bool isReader = isOpen(HIDHandle_) && isReaderIdentity(attributes);
    if (isReader && !platform_.claim(HIDHandle_)) {
        // Another program is writing this reader.
        openError_ = platform_.lastError();
        isReader = false;
    }
    if (!isReader) {
        closeAndForget(HIDHandle_, "CloseHandle");
    }
    return isReader;
}

void HidLink::openForReading() {
    GetDeviceCaps();
    ReadHandle_ = platform_.createFile(devicePath_, true);
    LogApiResult("CreateFile, ReadHandle");
}

std::vector<ReaderEntry> HidLink::listReaders() {
    std::vector<ReaderEntry> readers;
    visitInterfaces([this, &readers](const std::string& path) {
        if (passOver(path)) {
            return false;
        }
        ReaderEntry entry{path, {}, false, {}, {}};
        const Handle handle = platform_.createFile(path, false);
        LogApiResult("CreateFile");
        if (isOpen(handle)) {
            entry.opens = true;
            platform_.getAttributes(handle, entry.identity);
            LogApiResult("HidD_GetAttributes");
            entry.inUseBy = platform_.lockHolder(handle).value_or("");
            platform_.closeHandle(handle);
            LogApiResult("CloseHandle");
        } else {
            entry.reason = platform_.lastError();
            platform_.identityOf(path, entry.identity);
            LogApiResult("HidD_GetAttributes");
        }
        if (isReaderIdentity(entry.identity)) {
            readers.push_back(std::move(entry));
        }
        return false;
    });
    return readers;
}

bool HidLink::openReader(const std::string& path) {
    CloseDeviceHandles();
    devicePath_ = path;
    deviceDetected_ = examineCandidate();
    if (!deviceDetected_) {
        return false;
    }
    openForReading();
    PrepareOverlappedEvent();
    return true;
}

void HidLink::GetDeviceCaps() {
    const PreparsedData data = platform_.getPreparsedData(HIDHandle_);
    LogApiResult("HidD_GetPreparsedData");
    const Capabilities caps = platform_.getCaps(data);
    LogApiResult("HidP_GetCaps");
    inputReportLength_ = caps.inputReportByteLength;
    outputReportLength_ = caps.outputReportByteLength;
    platform_.freePreparsedData(data);
    LogApiResult("HidD_FreePreparsedData");
}

void HidLink::PrepareOverlappedEvent() {
    if (readEvent_ == 0) {
        readEvent_ = platform_.createEvent();
    }
    LogApiResult("CreateEvent");
}

void HidLink::CloseDeviceHandles() {
    closeAndForget(HIDHandle_, "CloseHandle (HIDHandle)");
    closeAndForget(ReadHandle_, "CloseHandle (ReadHandle)");
    deviceDetected_ = false;
}

void HidLink::WriteReport(std::span<const std::uint8_t> data) {
    lastTransfer_ = {};
    if (!isOpen(HIDHandle_) || outputReportLength_ < 1) {
        lastTransfer_.result = TransferResult::NotOpen;
        return;
    }
    std::vector<std::uint8_t> report(static_cast<std::size_t>(outputReportLength_), 0);
    report[0] = OUTPUT_REPORT_ID;
    const std::size_t count = std::min(data.size(), report.size() - 1);
    std::copy_n(data.begin(), count, report.begin() + 1);

    // A report the device sent unasked would otherwise be read as the answer to this one.
    if (isOpen(ReadHandle_)) {
        platform_.discardPendingInput(ReadHandle_);
    }
    platform_.writeFile(HIDHandle_, report);
    LogApiResult("WriteFile");
    if (SystemError cause = platform_.lastError(); cause.code != 0) {
        // Whether the device is still there tells a pulled reader from one that would not take the report.
        DeviceAttributes stillThere;
        const bool present = platform_.identityOf(devicePath_, stillThere);
        lastTransfer_ = {present ? TransferResult::NotWritten : TransferResult::Gone, std::move(cause)};
        CloseDeviceHandles();
    }
}

void HidLink::ReadReport(std::vector<std::uint8_t>& reply) {
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::max<std::int16_t>(inputReportLength_, 0)), 0);
    if (!isOpen(ReadHandle_)) {
        // Closed (or never opened for reading): fail at once rather than touch a stale handle. A failed write
        // keeps its own outcome.
        if (lastTransfer_.result == TransferResult::Done) {
            lastTransfer_.result = TransferResult::NotOpen;
        }
        CloseDeviceHandles();
        reply = std::move(buffer);
        return;
    }

    observer_.keepLogOnLastLine();
    platform_.readFile(ReadHandle_, buffer, readEvent_);
    LogApiResult("ReadFile");
    observer_.keepLogOnLastLine();
    const WaitResult result = platform_.waitForSingleObject(readEvent_, READ_TIMEOUT_MS);
    LogApiResult("WaitForSingleObject");

    if (result != WaitResult::Arrived) {
        // Time-out or failed wait: the device counts as lost. The cancel guarantees the buffer is no longer
        // written, and zeroing it drops anything that slipped in before the cancel took effect.
        lastTransfer_ = result == WaitResult::TimedOut ? TransferOutcome{TransferResult::TimedOut, {}}
                                                       : TransferOutcome{TransferResult::Gone, platform_.lastError()};
        platform_.cancelIo(ReadHandle_);
        LogApiResult("CancelIo");
        CloseDeviceHandles();
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    }
    reply = std::move(buffer);
    platform_.resetEvent(readEvent_);
    LogApiResult("ResetEvent");
}

void HidLink::closeAndForget(Handle& handle, std::string_view label) {
    if (isOpen(handle)) {
        platform_.closeHandle(handle);
        LogApiResult(label);
    }
    handle = kNoHandle;
}

void HidLink::LogApiResult(std::string_view label) { observer_.afterPlatformCall(label); }

}  // namespace cdr::hid
