#pragma once

#include <gtest/gtest.h>

#include <string>

#include "hid/hid_link.h"
#include "hid/sim/sim_hid_platform.h"
#include "recording_observer.h"

namespace cdr::hid::test {

// Report lengths of the simulated reader; unequal, so that a swap shows.
inline constexpr std::int16_t kReaderInputLength = 33;
inline constexpr std::int16_t kReaderOutputLength = 25;

inline sim::VirtualDevice virtualDevice(std::string path, std::uint16_t vendorId, std::uint16_t productId) {
    sim::VirtualDevice device;
    device.identity = DeviceAttributes{vendorId, productId, 0x0100};
    device.path = std::move(path);
    device.capabilities = Capabilities{kReaderInputLength, kReaderOutputLength};
    return device;
}

inline sim::VirtualDevice virtualReader(std::string path, sim::Responder responder = {}) {
    sim::VirtualDevice device = virtualDevice(std::move(path), READER_VENDOR_ID, READER_PRODUCT_ID);
    device.responder = std::move(responder);
    return device;
}

// A link over the simulated platform, with everything it told its owner recorded.
class SimLinkTest : public ::testing::Test {
protected:
    // The calls recorded since the given position.
    std::vector<std::string> callsSince(std::size_t position) const {
        return {observer_.calls.begin() + static_cast<std::ptrdiff_t>(position), observer_.calls.end()};
    }

    sim::SimHidPlatform platform_;
    RecordingObserver observer_;
    HidLink link_{platform_, observer_};
};

}  // namespace cdr::hid::test
