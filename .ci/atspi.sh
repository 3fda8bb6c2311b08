#!/usr/bin/env bash
# The Qt demo window driven through AT-SPI alone as a CI step (tests/ui/atspi/journey.py): installs the
# accessibility bus, pyatspi and Xvfb, builds the demo in build/ (the tests step has configured it already), and
# runs the journey on a virtual display, bounded in time.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends at-spi2-core python3-pyatspi dbus xvfb >/dev/null
if [[ ! -f build/CMakeCache.txt ]]; then
  scripts/install-deps.sh >/dev/null
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCDR_WARNINGS_AS_ERRORS=ON >/dev/null
fi
cmake --build build -j"$(nproc)" --target cdr55p4w-config-demo >/dev/null

# Xvfb takes the first free display itself and names it once it accepts clients, so no other X server started at
# the same moment can take the same one. Its own output is shown when the journey fails.
ready=$(mktemp -u)
xlog=$(mktemp)
mkfifo "$ready"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ready" >"$xlog" 2>&1 &
xvfb=$!
# The server is waited for: one still closing holds its display's socket while the next run may take that display.
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$ready" "$xlog"' EXIT
read -r -t 30 display <"$ready" || { cat "$xlog" >&2; echo "Xvfb did not start" >&2; exit 1; }
status=0
DISPLAY=:$display timeout --kill-after=10 120 tests/ui/atspi/run-journey.sh build/src/app/cdr55p4w-config-demo ||
  status=$?
if ((status != 0)); then
  echo "--- Xvfb on :$display:" >&2
  cat "$xlog" >&2
fi
exit "$status"
