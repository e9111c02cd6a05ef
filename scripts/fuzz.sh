#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60)
# on its seed corpus. Findings land in build-fuzz/findings/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
ORRIN_FUZZ=1 scripts/setup.sh

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORRIN_FUZZ=ON \
  -DORRIN_WINDOW=OFF -DORRIN_TESTS=OFF -DORRIN_BENCH=OFF
cmake --build "$build"

status=0
for target in "$build"/fuzz/fuzz_*; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  # The seeds: the shipped examples and golden scripts of the format, plus
  # the few kept in fuzz/corpus that reach code the examples do not (chosen
  # by a coverage merge over the examples).
  seeds=()
  case ${name#fuzz_} in
    script) seeds=(tests/scripts examples) ;;
    wire_file) seeds=(examples/wiring) ;;
    memory_file) seeds=(examples/memory examples/grading/program) ;;
    micro_file) seeds=(examples/microprogram) ;;
    asm) seeds=(examples/asm) ;;
    isa) seeds=() ;;
    report) seeds=(examples/grading) ;;
  esac
  [[ -d "fuzz/corpus/${name#fuzz_}" ]] && seeds+=("fuzz/corpus/${name#fuzz_}")
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$findings/" \
      -print_final_stats=1 "$corpus" "${seeds[@]}" 2>"$build/$name.log"; then
    status=1
    echo "   FINDING: see $findings and $build/$name.log"
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/$name.log" | sed 's/^/   /'
  runs=$(grep -oP '^stat::number_of_executed_units: \K[0-9]+' "$build/$name.log" || echo 0)
  echo "   execs/s: $((runs / seconds))"
done
exit $status
