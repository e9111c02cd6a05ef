#!/usr/bin/env bash
# Sets the machine up, builds the simulator and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_TESTS=OFF -DORRIN_BENCH=OFF
cmake --build build
exec build/orrin-run examples/demo.orrin
