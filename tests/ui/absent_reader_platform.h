#pragma once

#include "hid/hid_platform.h"

namespace cdr::test {

// A HID platform with no devices: every list is empty and nothing opens. The window tests need a platform to
// construct the window over, and none of them reaches the reader.
class AbsentReaderPlatform : public hid::HidPlatform {
public:
    hid::InterfaceClass getHidGuid() override { return {}; }
    hid::DeviceList getClassDevs(const hid::InterfaceClass&) override { return 0; }
    bool enumDeviceInterfaces(hid::DeviceList, const hid::InterfaceClass&, std::uint32_t,
                              hid::DeviceInterface&) override {
        return false;
    }
    std::uint32_t getInterfaceDetailSize(hid::DeviceList, const hid::DeviceInterface&) override { return 0; }
    std::string getInterfaceDevicePath(hid::DeviceList, const hid::DeviceInterface&, std::uint32_t) override {
        return {};
    }
    void destroyDeviceInfoList(hid::DeviceList) override {}
    hid::Handle createFile(const std::string&, bool) override { return hid::kNoHandle; }
    bool getAttributes(hid::Handle, hid::DeviceAttributes&) override { return false; }
    bool identityOf(const std::string&, hid::DeviceAttributes&) override { return false; }
    hid::SystemError lastError() const override { return {}; }
    hid::PreparsedData getPreparsedData(hid::Handle) override { return 0; }
    hid::Capabilities getCaps(hid::PreparsedData) override { return {}; }
    void freePreparsedData(hid::PreparsedData) override {}
    void closeHandle(hid::Handle) override {}
    hid::Event createEvent() override { return 0; }
    void resetEvent(hid::Event) override {}
    void writeFile(hid::Handle, std::span<const std::uint8_t>) override {}
    void discardPendingInput(hid::Handle) override {}
    void readFile(hid::Handle, std::span<std::uint8_t>, hid::Event) override {}
    hid::WaitResult waitForSingleObject(hid::Event, std::uint32_t) override { return hid::WaitResult::Failed; }
    void cancelIo(hid::Handle) override {}
};

}  // namespace cdr::test
