#!/usr/bin/env bash
# Installs what is needed, builds, and starts the window over the built-in virtual reader.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: start this from a desktop session (or set DISPLAY, e.g. under Xvfb)." >&2
  exit 1
fi
exec build/src/app/cdr55p4w-config-demo
