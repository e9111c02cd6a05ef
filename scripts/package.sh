#!/usr/bin/env bash
# Builds the Debian package: a Release build of the programs, then CMake's
# packager. Prints the package's path.
#   scripts/package.sh [BUILD_DIR]        (default build-release)
# Install it with: sudo apt-get install ./build-release/orrin_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
build=${1:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_SANITIZE=OFF -DORRIN_WINDOW=ON \
  -DORRIN_TESTS=OFF -DORRIN_BENCH=OFF -DORRIN_FUZZ=OFF >&2
cmake --build "$build" >&2
rm -f "$build"/orrin_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$PWD/$build"/orrin_*.deb
