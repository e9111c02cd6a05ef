#!/usr/bin/env bash
# Sets the machine up, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then builds the Debian
# package from a Release build and checks it, then builds the web page and
# tests it in Chromium. Exits non-zero on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Every source file in the house style (.clang-format); tables laid out by
# hand sit between "clang-format off" and "on".
clang-format-14 --dry-run --Werror $(git ls-files '*.cpp' '*.h')

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORRIN_SANITIZE=ON -DORRIN_WINDOW=ON -DORRIN_TESTS=ON -DORRIN_BENCH=OFF
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)"

# The package: Release (the build users make, with its own warnings), cpack,
# then its contents, its dependencies and its programs where it unpacks.
deb=$(scripts/package.sh build-release)
tests/package/deb_check.sh "$deb" "$PWD"

# The web page: built with emscripten, tested in Chromium against the
# Release programs just built.
ORRIN_WEB=1 scripts/setup.sh
tests/web/run.sh build-release
