// The encoders and decoders on the way between the window's controls and the reader or a settings file.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "bench_settings.h"
#include "protocol/command_frame.h"
#include "protocol/reader_commands.h"
#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"
#include "settings/settings_file.h"

namespace {

// The report lengths of the reader: 64 data bytes behind the report ID.
constexpr std::int16_t kReportLength = 65;

void BM_BuildFrameBuffer(benchmark::State& state) {
    const auto payload =
        cdr::writeSettingsPayload(std::get<cdr::SettingsBlock>(cdr::encodeSettingsBlock(cdr::bench::busySettings())));
    for (auto _ : state) {
        benchmark::DoNotOptimize(cdr::buildFrameBuffer(payload, kReportLength));
    }
}
BENCHMARK(BM_BuildFrameBuffer);

void BM_EncodeSettingsBlock(benchmark::State& state) {
    const auto settings = cdr::bench::busySettings();
    for (auto _ : state) {
        benchmark::DoNotOptimize(cdr::encodeSettingsBlock(settings));
    }
}
BENCHMARK(BM_EncodeSettingsBlock);

void BM_DecodeSettingsReply(benchmark::State& state) {
    const auto block = std::get<cdr::SettingsBlock>(cdr::encodeSettingsBlock(cdr::bench::busySettings()));
    std::vector<std::uint8_t> payload{cdr::kStatusAccepted, 0x43, 0x52};
    payload.insert(payload.end(), block.begin(), block.end());
    const auto reply = *cdr::buildReplyReport(payload, kReportLength, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cdr::decodeSettingsReply(reply));
    }
}
BENCHMARK(BM_DecodeSettingsReply);

void BM_EncodeSettingsFile(benchmark::State& state) {
    const auto settings = cdr::bench::busySettings();
    for (auto _ : state) {
        benchmark::DoNotOptimize(cdr::encodeSettingsFile(settings));
    }
}
BENCHMARK(BM_EncodeSettingsFile);

void BM_DecodeSettingsFile(benchmark::State& state) {
    const auto file = std::get<std::string>(cdr::encodeSettingsFile(cdr::bench::busySettings()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(cdr::decodeSettingsFile(file));
    }
}
BENCHMARK(BM_DecodeSettingsFile);

}  // namespace

BENCHMARK_MAIN();
