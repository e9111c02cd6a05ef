#!/usr/bin/env bash
# Builds the toolkit-free programs and their tests for 32-bit x86 (-m32:
# long and size_t of 32 bits, as on a 32-bit machine or in WebAssembly),
# warnings as errors, and runs the tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if ! dpkg-query -W -f='${Status}' zlib1g-dev:i386 2>/dev/null | grep -q 'install ok installed'; then
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq g++-multilib zlib1g-dev:i386 libgtest-dev:i386
fi
build=build-32
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-m32 -DCMAKE_EXE_LINKER_FLAGS=-m32 \
  -DCMAKE_LIBRARY_ARCHITECTURE=i386-linux-gnu -DORRIN_WINDOW=OFF -DORRIN_TESTS=ON -DORRIN_BENCH=OFF
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)"
