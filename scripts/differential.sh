#!/usr/bin/env bash
# Compares orrin-run built from REV with orrin-run built from the working
# tree on COUNT random scripts (default 5000): every line printed, every exit
# status and every file written must be the same. A restructuring that must
# not change behaviour is proven this way.
#   scripts/differential.sh REV [COUNT] [SEED]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rev=${1:?usage: scripts/differential.sh REV [COUNT] [SEED]}
count=${2:-5000}
seed=${3:-1}
scratch=${TMPDIR:-/tmp}/orrin-differential
mkdir -p "$scratch"

build() {  # SOURCE BUILD_DIR
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_WINDOW=OFF -DORRIN_TESTS=OFF \
    -DORRIN_BENCH=OFF >/dev/null
  ninja -C "$2" orrin-run >/dev/null
}

old_tree="$scratch/tree-$(git -C "$root" rev-parse --short "$rev")"
if [[ ! -d "$old_tree" ]]; then
  git -C "$root" archive --format=tar --prefix=tree/ "$rev" | tar -x -C "$scratch"
  mv "$scratch/tree" "$old_tree"
fi
build "$old_tree" "$old_tree/build"
build "$root" "$scratch/new-build"

rm -rf "$scratch/scripts"
python3 "$root/tests/differential/random_scripts.py" "$scratch/scripts" "$count" "$seed"
python3 "$root/tests/differential/compare.py" "$old_tree/build/orrin-run" "$scratch/new-build/orrin-run" \
  "$scratch/scripts" "$root/examples"
