#!/usr/bin/env bash
# Sets the machine up, builds the simulator and opens its window (without a
# display, runs the demo script headless instead).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_WINDOW=ON -DORRIN_TESTS=OFF -DORRIN_BENCH=OFF
cmake --build build
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec build/orrin-run examples/demo.orrin
fi
exec build/orrin
