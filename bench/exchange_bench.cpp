// One whole "Read Setting Config" exchange over the simulated platform with the virtual reader: the frame is built,
// written as one output report, the reader's input report read back and the settings block decoded. The virtual
// reader's own work is part of it, so this is an upper bound of the host-side cost.
#include <benchmark/benchmark.h>

#include <vector>

#include "hid/hid_link.h"
#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "protocol/reader_commands.h"
#include "reader/reader_exchange.h"
#include "protocol/settings_block.h"
#include "silent_observer.h"

namespace {

void BM_ReadSettingsExchange(benchmark::State& state) {
    cdr::hid::sim::SimHidPlatform platform;
    cdr::hid::sim::VirtualReader reader;
    platform.addDevice(reader.device("/dev/hidraw0"));
    cdr::bench::SilentObserver observer;
    cdr::hid::HidLink link(platform, observer);
    if (!link.FindTheHid()) {
        state.SkipWithError("the virtual reader was not found");
        return;
    }
    std::vector<std::uint8_t> reply;
    for (auto _ : state) {
        const auto result = cdr::exchangeCommand(link, cdr::kReadSettingsCommand, reply);
        const auto settings = cdr::decodeSettingsReply(reply);
        if (result != cdr::ExchangeResult::Accepted || !settings) {
            state.SkipWithError("the read settings exchange failed");
            break;
        }
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_ReadSettingsExchange);

}  // namespace

BENCHMARK_MAIN();
