#!/usr/bin/env bash
# Quality gates, run as root on a fresh Debian 12 after the main build and tests:
#   1. the whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer (g++, -O1), window tests
#      included under the offscreen platform; any sanitizer report fails its test;
#   2. every libFuzzer target for a bounded time on a throw-away copy of its seed corpus; a crash, leak, time-out or
#      broken property fails;
#   3. every benchmark built in Release and run once briefly (nothing is asserted about time).
# Prints a summary and exits non-zero when any step failed.
# Environment: CDR_QUALITY_DIR (work folder, default build-quality in this checkout), CDR_FUZZ_SECONDS (per
# target, default 60).
set -uo pipefail
export LC_ALL=C DEBIAN_FRONTEND=noninteractive

repo=$(cd "$(dirname "$0")/.." && pwd)
work=${CDR_QUALITY_DIR:-$repo/build-quality}
fuzzSeconds=${CDR_FUZZ_SECONDS:-60}
jobs=$(nproc)
asanBuild=$work/build-asan
fuzzBuild=$work/build-fuzz
benchBuild=$work/build-bench
sanitizerFlags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

declare -a results=()
failed=0

# Runs one named step, its output going to $work/<name>.log; records the outcome for the summary and fails with
# the step.
step() {
  local name=$1
  shift
  local started=$SECONDS
  echo "=== $name"
  if "$@" >"$work/$name.log" 2>&1; then
    results+=("PASS  $name ($((SECONDS - started)) s)")
  else
    results+=("FAIL  $name ($((SECONDS - started)) s), log: $work/$name.log")
    failed=$((failed + 1))
    tail -n 60 "$work/$name.log"
    return 1
  fi
}

installPackages() {
  apt-get update &&
    apt-get install -y --no-install-recommends $(grep -v '^#' "$repo/.ci/packages.txt") \
      clang libclang-rt-14-dev libbenchmark-dev time
}

sanitizerBuild() {
  cmake -S "$repo" -B "$asanBuild" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
    -DCDR_WARNINGS_AS_ERRORS=ON -DCMAKE_CXX_FLAGS="-O1 $sanitizerFlags" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizerFlags" &&
    cmake --build "$asanBuild" -j"$jobs"
}

sanitizerTests() {
  QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$asanBuild" --output-on-failure -j"$jobs"
}

fuzzBuildStep() {
  cmake -S "$repo/fuzz" -B "$fuzzBuild" -DCMAKE_CXX_COMPILER=clang++ &&
    cmake --build "$fuzzBuild" -j"$jobs"
}

fuzzTargets() {
  (cd "$repo/fuzz/corpus" && ls -d -- */ | tr -d /)
}

# One target on a copy of its corpus, so that new inputs stay out of the repository; a finding lands in
# $work/fuzz-findings/<target>/.
fuzzOne() {
  local target=$1
  local corpus=$work/fuzz-corpus/$target
  local findings=$work/fuzz-findings/$target
  rm -rf "$corpus" "$findings"
  mkdir -p "$corpus" "$findings"
  cp -r "$repo/fuzz/corpus/$target/." "$corpus/"
  "$fuzzBuild/$target" -max_total_time="$fuzzSeconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus"
}

# The targets two at a time, one per core.
fuzzAll() {
  local status=0
  local -a pids=()
  local target
  for target in $(fuzzTargets); do
    fuzzOne "$target" >"$work/fuzz-$target.log" 2>&1 &
    pids+=($!)
    if ((${#pids[@]} == 2)); then
      wait "${pids[0]}" || status=1
      wait "${pids[1]}" || status=1
      pids=()
    fi
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  for target in $(fuzzTargets); do
    echo "--- $target: $(grep -E '^(stat::number_of_executed_units|Done )' "$work/fuzz-$target.log" | tail -n 1)"
    grep -E 'ERROR|property broken|SUMMARY' "$work/fuzz-$target.log" || true
    ls "$work/fuzz-findings/$target"
  done
  return $status
}

benchmarkBuild() {
  cmake -S "$repo" -B "$benchBuild" -DCMAKE_BUILD_TYPE=Release -DCDR_BUILD_TESTS=OFF \
    -DCDR_BUILD_BENCHMARKS=ON -DCDR_WARNINGS_AS_ERRORS=ON &&
    cmake --build "$benchBuild" -j"$jobs"
}

benchmarkRun() {
  local program
  for program in "$benchBuild"/bench/*_bench; do
    "$program" --benchmark_min_time=0.01 || return 1
  done
  QT_QPA_PLATFORM=offscreen "$benchBuild/bench/startup_probe"
}

mkdir -p "$work"
started=$SECONDS
step packages installPackages
step sanitizer-build sanitizerBuild && step sanitizer-tests sanitizerTests
step fuzz-build fuzzBuildStep && step fuzz-runs fuzzAll
step benchmark-build benchmarkBuild && step benchmark-run benchmarkRun

echo
echo "quality summary ($((SECONDS - started)) s):"
printf '  %s\n' "${results[@]}"
((failed == 0))
