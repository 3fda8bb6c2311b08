#!/usr/bin/env bash
# Builds the benchmarks in Release, measures them (medians over repetitions) and the demo window's start-up and
# peak memory under the offscreen platform, and writes docs/performance.md. The report's comparison with a bare Qt
# window, measured by hand under Xvfb, is kept as it stands.
# Usage: tools/run-benchmarks.sh [BUILD_DIR]   (default build-bench in this checkout)
# Environment: CDR_BENCH_REPETITIONS (default 10), CDR_STARTUP_RUNS (default 21).
set -euo pipefail
export LC_ALL=C

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-bench}
repetitions=${CDR_BENCH_REPETITIONS:-10}
startupRuns=${CDR_STARTUP_RUNS:-21}
report=$repo/docs/performance.md
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Qt wants a private runtime folder; a missing one only adds a warning per start.
export XDG_RUNTIME_DIR=$scratch

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCDR_BUILD_TESTS=OFF -DCDR_BUILD_BENCHMARKS=ON \
  -DCDR_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target codec_bench discovery_bench exchange_bench startup_probe >/dev/null

# The median rows of one benchmark program as "name|real|cpu|unit".
medians() {
  "$1" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { name = $1; gsub(/"/, "", name); sub(/_median$/, "", name);
                                 printf "%s|%.1f|%.1f|%s\n", name, $3, $4, $5 }'
}

# The median of numbers, one per line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for program in codec_bench discovery_bench exchange_bench; do
  echo "measuring $program" >&2
  medians "$build/bench/$program" >>"$scratch/benchmarks"
done

echo "measuring start-up, $startupRuns runs" >&2
for ((run = 0; run < startupRuns; ++run)); do
  launched=$(date +%s%N)
  QT_QPA_PLATFORM=offscreen /usr/bin/time -v -o "$scratch/time" "$build/bench/startup_probe" >"$scratch/probe"
  awk '/^main_to_first_paint_ms/ { print $2 }' "$scratch/probe" >>"$scratch/main_ms"
  awk -v launched="$launched" '/^first_paint_epoch_ns/ { printf "%.3f\n", ($2 - launched) / 1e6 }' \
    "$scratch/probe" >>"$scratch/launch_ms"
  awk -F': ' '/Maximum resident set size/ { printf "%.1f\n", $2 / 1024 }' "$scratch/time" >>"$scratch/rss_mb"
done
mainMs=$(median <"$scratch/main_ms")
launchMs=$(median <"$scratch/launch_ms")
rssMb=$(median <"$scratch/rss_mb")
rssMaxMb=$(sort -g "$scratch/rss_mb" | tail -n 1)

# "met" or "missed" for a measured value against an upper bound.
verdict() { awk -v value="$1" -v bound="$2" 'BEGIN { print (value < bound) ? "met" : "missed" }'; }

# The table row of one benchmark: its medians, its target, and whether the median wall time, converted to the
# target's unit, stays under the bound.
row() {
  local name=$1 target=$2 unit=$3 bound=$4
  IFS='|' read -r _ real cpu timeUnit < <(grep "^$name|" "$scratch/benchmarks")
  local inUnit
  inUnit=$(awk -v t="$real" -v from="$timeUnit" -v to="$unit" 'BEGIN {
    f["ns"] = 1; f["us"] = 1e3; f["ms"] = 1e6; printf "%.3g", t * f[from] / f[to] }')
  echo "| $name | $real $timeUnit | $cpu $timeUnit | $target | $(verdict "$inUnit" "$bound") |"
}

handMeasured=$(sed -n '/^## Start-up against a bare Qt window/,$p' "$report" 2>/dev/null || true)
cpuModel=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
memory=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)

cat >"$report" <<REPORT
# Performance

Measured by \`tools/run-benchmarks.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC').

Machine: $(nproc) cores, $cpuModel, $memory memory, $(. /etc/os-release && echo "$PRETTY_NAME"),
$(g++ --version | head -n 1). The machine was shared with other builds while measuring, so wall-clock times
carry noise; CPU time is the steadier figure.

## Benchmarks

Medians over $repetitions repetitions of Google Benchmark (Release build). The simulated platform answers at
once, so the exchange and the discovery show the host-side cost only: the program's own work plus the
simulation's bookkeeping, never a device's latency. Debian's Google Benchmark library warns that it was built
without optimisation; that concerns its own bookkeeping around the timed loop, not the code measured.

| Benchmark | Median wall time | Median CPU time | Target | |
|---|---|---|---|---|
$(row BM_BuildFrameBuffer "< 1 µs" us 1)
$(row BM_EncodeSettingsBlock "< 1 µs" us 1)
$(row BM_DecodeSettingsReply "< 1 µs" us 1)
$(row BM_EncodeSettingsFile "< 1 µs" us 1)
$(row BM_DecodeSettingsFile "< 1 µs" us 1)
$(row BM_ReadSettingsExchange "< 20 µs" us 20)
$(row BM_DiscoveryReaderLast "< 5 ms" ms 5)

- \`BM_BuildFrameBuffer\`: the 65-byte output buffer for "CCW" and a settings block.
- \`BM_EncodeSettingsBlock\`, \`BM_DecodeSettingsReply\`: settings with every field in use, to and from the
  11-byte block (the decoder reads a whole 65-byte reply).
- \`BM_EncodeSettingsFile\`, \`BM_DecodeSettingsFile\`: the same settings to and from the 16-line file.
- \`BM_ReadSettingsExchange\`: one "Read Setting Config" over the link to the virtual reader: frame, write, read,
  status test and decoding of the block.
- \`BM_DiscoveryReaderLast\`: \`FindTheHid\` over 256 simulated HID interfaces, the reader enumerated last.

## Start-up and memory

The start-up probe (\`bench/startup_probe\`) starts the window as the demo program does, under
\`QT_QPA_PLATFORM=offscreen\`, and quits at the window's first paint. Medians over $startupRuns runs.

| Measure | Median | Target | |
|---|---|---|---|
| From \`main()\` to the first paint | $mainMs ms | < 200 ms | $(verdict "$mainMs" 200) |
| From the process launch to the first paint | $launchMs ms | < 200 ms | $(verdict "$launchMs" 200) |
| Peak resident memory (\`/usr/bin/time -v\`) | $rssMb MiB (largest $rssMaxMb MiB) | < 60 MB | $(verdict "$rssMb" 60) |

## Reproducing

    apt-get install -y --no-install-recommends libbenchmark-dev time   # besides the build's own packages
    tools/run-benchmarks.sh [BUILD_DIR]

\`CDR_BENCH_REPETITIONS\` and \`CDR_STARTUP_RUNS\` change the repetition counts. A single benchmark runs as
\`BUILD_DIR/bench/codec_bench --benchmark_filter=BM_DecodeSettingsFile\`. CI (\`.ci/quality.sh\`) only builds the
benchmarks and runs each once briefly; it asserts nothing about time.
REPORT
if [ -n "$handMeasured" ]; then
  printf '\n%s\n' "$handMeasured" >>"$report"
fi
echo "wrote $report" >&2
