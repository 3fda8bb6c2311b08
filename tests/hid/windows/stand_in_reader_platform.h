#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "hid/hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "test_pipe.h"

namespace cdr::hid::test {

// The system's HID platform, keeping account of the device lists and handles it hands out. With a stand-in reader
// it lists one more interface after the system's HID devices: a device with the reader's identity whose output
// reports go into one named pipe and whose input reports come from another.
class StandInReaderPlatform final : public HidPlatform {
public:
    // The report length of a stand-in whose reports the test itself takes and sends.
    static constexpr std::int16_t kReportLength = 9;

    explicit StandInReaderPlatform(bool withReader);
    // A stand-in that answers like the virtual reader, with its report length: each output report written to it
    // is handed to the reader and the reader's answer sent back through the pipe of input reports.
    explicit StandInReaderPlatform(sim::VirtualReader& answering);

    // Null without a stand-in reader.
    TestPipe* reportsWritten() { return written_.get(); }
    TestPipe* reportsToRead() { return toRead_.get(); }
    std::string readerPath() const;

    const std::vector<DeviceList>& listsCreated() const { return listsCreated_; }
    const std::vector<DeviceList>& listsDestroyed() const { return listsDestroyed_; }
    int handlesOpened() const { return handlesOpened_; }
    int handlesClosed() const { return handlesClosed_; }

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
    SystemError lastError() const override { return system_->lastError(); }

private:
    bool isReaderEntry(const DeviceInterface& entry) const;

    std::unique_ptr<HidPlatform> system_;
    std::unique_ptr<TestPipe> written_;
    std::unique_ptr<TestPipe> toRead_;
    std::int16_t reportLength_ = kReportLength;
    sim::Responder responder_;
    std::optional<std::uint32_t> readerIndex_;
    std::set<Handle> readerHandles_;
    std::vector<DeviceList> listsCreated_;
    std::vector<DeviceList> listsDestroyed_;
    int handlesOpened_ = 0;
    int handlesClosed_ = 0;
};

}  // namespace cdr::hid::test
