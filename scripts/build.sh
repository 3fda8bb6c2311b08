#!/usr/bin/env bash
# Configures and builds the programs and tests into build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCDR_WARNINGS_AS_ERRORS=ON
cmake --build build -j"$(nproc)"
