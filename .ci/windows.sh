#!/usr/bin/env bash
# The Windows step of continuous integration: cross-builds the libraries, the Win32 window and their tests for
# 64-bit Windows with MinGW-w64 and runs the tests under Wine, then builds the MSI and the zip and installs,
# runs and uninstalls the MSI under Wine. Runs as root on Debian 12, without standard input.
# The build folder is build-ci-windows unless CDR_WINDOWS_BUILD_DIR names another.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${CDR_WINDOWS_BUILD_DIR:-build-ci-windows}"

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  cmake make g++-mingw-w64-x86-64 wine64 wine googletest libcli11-dev nlohmann-json3-dev wixl msitools >/dev/null

# A Wine prefix of this run's own, and one Wine server for all of it: stopped, with every Wine process, on exit.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX="$(mktemp -d)"
export WINEPREFIX
stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT

# A prefix's very first run can miss the HID devices: set it up and let it settle before anything is tested.
wineboot -i >/dev/null 2>&1
wineserver -w
# Windows are made by Wine's null display driver: they exist and take messages without an X server.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -w
wineserver -p
# Starts Wine's own background services now, apart from ctest: started by a test they would keep its output
# open and every test would run into its time-out.
wine cmd /c exit >/dev/null 2>&1

cmake -S . -B "$build_dir" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake -DCDR_WARNINGS_AS_ERRORS=ON
cmake --build "$build_dir" -j"$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"

cmake --build "$build_dir" --target windows-packages
bash packaging/windows/check_packages.sh "$build_dir"
