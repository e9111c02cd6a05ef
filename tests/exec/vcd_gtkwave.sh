#!/usr/bin/env bash
# GTKWave's vcd2fst takes an exported VCD, and the signals come through.
#   vcd_gtkwave.sh ORRIN_RUN SOURCE_DIR
set -euo pipefail
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'load-wires %s/examples/wiring/microprogram.txt\nmode microprogram\npower\nload-memory %s/examples/memory/sum.txt\nqd\nrun\nexport-trace %s/t.vcd\n' \
  "$2" "$2" "$dir" | "$1" >/dev/null
vcd2fst "$dir/t.vcd" "$dir/t.fst" 2>"$dir/err"
if grep -qi -E "error|warn" "$dir/err"; then cat "$dir/err"; exit 1; fi
fst2vcd "$dir/t.fst" >"$dir/back.vcd"
vars=$(grep -c '\$var' "$dir/back.vcd")
[[ $vars -eq 43 ]] || { echo "FAIL: $vars signals came through"; exit 1; }
grep -q ' PC ' "$dir/back.vcd" && grep -q ' RS0 ' "$dir/back.vcd" || { echo "FAIL: names"; exit 1; }
echo "vcd2fst: the exported VCD is accepted"
