#!/usr/bin/env bash
# The real-kernel tests as a CI step: installs QEMU, the Debian kernel and a static busybox, builds what the
# tests need in build/ (the tests step has built it already), and boots one guest per group (tests/kernel/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends qemu-system-x86 linux-image-amd64 busybox-static cpio kmod udev \
  >/dev/null
[[ -f build/CMakeCache.txt ]] || scripts/build.sh
cmake --build build -j"$(nproc)" --target kernel_reader_gadget kernel_link_tests cdr55p4w-cli cdr55p4w-hidraw-access
tests/kernel/run.sh
