// FindTheHid over 256 simulated HID interfaces with the reader enumerated last: every other interface is opened,
// asked for its identity and closed before the reader is found.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "hid/hid_link.h"
#include "hid/sim/sim_hid_platform.h"
#include "silent_observer.h"

namespace {

constexpr int kInterfaceCount = 256;
constexpr cdr::hid::Capabilities kReaderCaps{65, 65};

std::unique_ptr<cdr::hid::sim::SimHidPlatform> crowdedPlatform() {
    auto platform = std::make_unique<cdr::hid::sim::SimHidPlatform>();
    for (int index = 0; index < kInterfaceCount - 1; ++index) {
        cdr::hid::sim::VirtualDevice other;
        other.identity = {0x046D, static_cast<std::uint16_t>(0xC000 + index), 0x0100};
        other.path = "/dev/hidraw" + std::to_string(index);
        other.capabilities = {9, 9};
        platform->addDevice(std::move(other));
    }
    cdr::hid::sim::VirtualDevice reader;
    reader.identity = {cdr::hid::READER_VENDOR_ID, cdr::hid::READER_PRODUCT_ID, 0x0100};
    reader.path = "/dev/hidraw" + std::to_string(kInterfaceCount - 1);
    reader.capabilities = kReaderCaps;
    platform->addDevice(std::move(reader));
    return platform;
}

void BM_DiscoveryReaderLast(benchmark::State& state) {
    for (auto _ : state) {
        // A fresh platform per search, so that its records of earlier searches do not slow the next one.
        state.PauseTiming();
        auto platform = crowdedPlatform();
        cdr::bench::SilentObserver observer;
        auto link = std::make_unique<cdr::hid::HidLink>(*platform, observer);
        state.ResumeTiming();

        const bool found = link->FindTheHid();

        state.PauseTiming();
        if (!found) state.SkipWithError("the reader was not found");
        link.reset();
        platform.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DiscoveryReaderLast)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
