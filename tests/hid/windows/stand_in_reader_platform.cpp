#include "stand_in_reader_platform.h"

#include "hid/hid_link.h"
#include "hid/system_platform.h"

namespace cdr::hid::test {
namespace {

// Descriptor data of the stand-in, which has no HID descriptor of its own.
constexpr PreparsedData kReaderDescriptor = -1;

}  // namespace

StandInReaderPlatform::StandInReaderPlatform(bool withReader) : system_(makeSystemHidPlatform()) {
    if (withReader) {
        written_ = std::make_unique<TestPipe>();
        toRead_ = std::make_unique<TestPipe>();
    }
}

StandInReaderPlatform::StandInReaderPlatform(sim::VirtualReader& answering) : StandInReaderPlatform(true) {
    const sim::VirtualDevice device = answering.device(readerPath());
    reportLength_ = device.capabilities.inputReportByteLength;
    responder_ = device.responder;
}

std::string StandInReaderPlatform::readerPath() const { return written_ ? written_->path() + "-reader" : ""; }

bool StandInReaderPlatform::isReaderEntry(const DeviceInterface& entry) const {
    return readerIndex_ && entry.memberIndex == *readerIndex_;
}

InterfaceClass StandInReaderPlatform::getHidGuid() { return system_->getHidGuid(); }

DeviceList StandInReaderPlatform::getClassDevs(const InterfaceClass& hidClass) {
    listsCreated_.push_back(system_->getClassDevs(hidClass));
    return listsCreated_.back();
}

bool StandInReaderPlatform::enumDeviceInterfaces(DeviceList list, const InterfaceClass& hidClass,
                                                 std::uint32_t memberIndex, DeviceInterface& entry) {
    if (!isReaderEntry(DeviceInterface{memberIndex, {}}) &&
        system_->enumDeviceInterfaces(list, hidClass, memberIndex, entry)) {
        return true;
    }
    if (!written_) return false;
    if (!readerIndex_) readerIndex_ = memberIndex;
    entry = DeviceInterface{memberIndex, {}};
    return isReaderEntry(entry);
}

std::uint32_t StandInReaderPlatform::getInterfaceDetailSize(DeviceList list, const DeviceInterface& entry) {
    if (isReaderEntry(entry)) return static_cast<std::uint32_t>(sizeof(std::uint32_t) + readerPath().size() + 1);
    return system_->getInterfaceDetailSize(list, entry);
}

std::string StandInReaderPlatform::getInterfaceDevicePath(DeviceList list, const DeviceInterface& entry,
                                                          std::uint32_t requiredSize) {
    if (isReaderEntry(entry)) return readerPath();
    return system_->getInterfaceDevicePath(list, entry, requiredSize);
}

void StandInReaderPlatform::destroyDeviceInfoList(DeviceList list) {
    listsDestroyed_.push_back(list);
    system_->destroyDeviceInfoList(list);
}

Handle StandInReaderPlatform::createFile(const std::string& path, bool overlapped) {
    const bool reader = written_ && path == readerPath();
    TestPipe* pipe = reader ? (overlapped ? toRead_.get() : written_.get()) : nullptr;
    if (pipe != nullptr) pipe->reopenAfterClientClosed();
    const Handle handle = system_->createFile(pipe != nullptr ? pipe->path() : path, overlapped);
    if (isOpen(handle)) {
        ++handlesOpened_;
        if (reader) readerHandles_.insert(handle);
    }
    return handle;
}

bool StandInReaderPlatform::identityOf(const std::string& path, DeviceAttributes& attributes) {
    if (written_ && path == readerPath()) {
        attributes = DeviceAttributes{READER_VENDOR_ID, READER_PRODUCT_ID, 0x0100};
        return true;
    }
    return system_->identityOf(path, attributes);
}

bool StandInReaderPlatform::getAttributes(Handle device, DeviceAttributes& attributes) {
    if (readerHandles_.contains(device)) {
        attributes = DeviceAttributes{READER_VENDOR_ID, READER_PRODUCT_ID, 0x0100};
        return true;
    }
    return system_->getAttributes(device, attributes);
}

PreparsedData StandInReaderPlatform::getPreparsedData(Handle device) {
    return readerHandles_.contains(device) ? kReaderDescriptor : system_->getPreparsedData(device);
}

Capabilities StandInReaderPlatform::getCaps(PreparsedData data) {
    return data == kReaderDescriptor ? Capabilities{reportLength_, reportLength_} : system_->getCaps(data);
}

void StandInReaderPlatform::freePreparsedData(PreparsedData data) {
    if (data != kReaderDescriptor) system_->freePreparsedData(data);
}

void StandInReaderPlatform::closeHandle(Handle handle) {
    if (isOpen(handle)) ++handlesClosed_;
    readerHandles_.erase(handle);
    system_->closeHandle(handle);
}

Event StandInReaderPlatform::createEvent() { return system_->createEvent(); }
void StandInReaderPlatform::resetEvent(Event event) { system_->resetEvent(event); }
void StandInReaderPlatform::writeFile(Handle device, std::span<const std::uint8_t> report) {
    system_->writeFile(device, report);
    if (!responder_ || !readerHandles_.contains(device)) return;
    if (const auto answer = responder_(written_->takeReceived())) toRead_->send(*answer);
}
void StandInReaderPlatform::discardPendingInput(Handle readHandle) { system_->discardPendingInput(readHandle); }
void StandInReaderPlatform::readFile(Handle readHandle, std::span<std::uint8_t> buffer, Event completion) {
    system_->readFile(readHandle, buffer, completion);
}
WaitResult StandInReaderPlatform::waitForSingleObject(Event completion, std::uint32_t timeoutMs) {
    return system_->waitForSingleObject(completion, timeoutMs);
}
void StandInReaderPlatform::cancelIo(Handle readHandle) { system_->cancelIo(readHandle); }

}  // namespace cdr::hid::test
