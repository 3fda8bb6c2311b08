#!/usr/bin/env bash
# The Qt demo window driven through AT-SPI alone as a CI step (tests/ui/atspi/journey.py): installs the
# accessibility bus, pyatspi and Xvfb, builds the demo in build/ (the tests step has configured it already), and
# runs the journey on a virtual display, bounded in time.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends at-spi2-core python3-pyatspi dbus xvfb xauth >/dev/null
if [[ ! -f build/CMakeCache.txt ]]; then
  scripts/install-deps.sh >/dev/null
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCDR_WARNINGS_AS_ERRORS=ON >/dev/null
fi
cmake --build build -j"$(nproc)" --target cdr55p4w-config-demo >/dev/null
timeout --kill-after=10 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
  tests/ui/atspi/run-journey.sh build/src/app/cdr55p4w-config-demo
