#!/usr/bin/env bash
# Runs journey.py against the demo window on the display in DISPLAY (an X server; no window manager is needed),
# inside a session bus of its own with the accessibility bus. Needs at-spi2-core and python3-pyatspi. Argument: the
# demo program (default build/src/app/cdr55p4w-config-demo). When the journey fails, the demo's own output follows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
demo=$(realpath "${1:-build/src/app/cdr55p4w-config-demo}")
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  bus=$!
  QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >"$3" 2>&1 &
  demo=$!
  status=0
  /usr/bin/python3 "$2/journey.py" || status=$?
  kill "$demo" "$bus" 2>/dev/null || true
  exit "$status"
' journey "$demo" "$here" "$log" || status=$?
if ((status != 0)); then
  echo "--- the demo's output:" >&2
  cat "$log" >&2
fi
exit "$status"
