#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need (the list is .ci/packages.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends $(grep -v '^#' .ci/packages.txt)
