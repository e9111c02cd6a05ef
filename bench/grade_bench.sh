#!/usr/bin/env bash
# Grades N program-run submissions (default 200: the four samples of
# examples/grading/program, N/4 copies each: a right program, a wrong one,
# one that never halts within the check's tick bound, an unusable file) with
# orrin-grade -j 2 and prints the time it took, best of three. CHECK (default
# the shipped program check) lets two versions grade with the same check.
#   N=1000 bench/grade_bench.sh [ORRIN_GRADE [CHECK]]   (default: build-bench/orrin-grade)
set -euo pipefail
cd "$(dirname "$0")/.."
grade=${1:-build-bench/orrin-grade}
check=${2:-examples/grading/program/check.orrin}
count=${N:-200}
class=$(mktemp -d)
trap 'rm -rf "$class"' EXIT
samples=(right wrong endless badfile)
for i in $(seq 0 $((count - 1))); do
  sample=${samples[$((i % 4))]}
  mkdir -p "$class/s$i"
  cp "examples/grading/program/$sample/prog.txt" "$class/s$i/"
done
best=""
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$grade" -j 2 --csv "$class/grades.csv" "$check" "$class"/s* >/dev/null || true
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc)
  echo "run $run: $t s"
  if [[ -z "$best" ]] || (($(echo "$t < $best" | bc))); then best=$t; fi
done
echo "$count submissions graded in $best s (best of three); $(grep -c '^[^,]*,passed,' "$class/grades.csv") passed"
