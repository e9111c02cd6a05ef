#!/usr/bin/env bash
# orrin-grade --compare-controller over a class's controller.v files: the
# standard design passes; a wrong one fails at its first difference; a missing,
# linked, broken or including design fails on the file, by name; one that keeps
# Yosys busy past the limit is a timeout and leaves no Yosys running; bad
# options are refused before any work.
#   grade_compare.sh ORRIN_GRADE EXAMPLES_DIR SCRIPTS_DIR
set -euo pipefail
grade=$1
examples=$2
scripts=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$out"

mkdir -p class/{right,wrong,missing,linked,broken,including,busy} tmp
standard=$examples/hardwired/standard.v
cp "$standard" class/right/controller.v
# CIN left out of the ALU experiment's A+B.
sed 's/assign CIN = at\[ADD\] | at\[ALU_ADD\];/assign CIN = at[ADD];/' "$standard" >class/wrong/controller.v
cmp -s "$standard" class/wrong/controller.v && fail "the wrong design is not wrong"
ln -s "$standard" class/linked/controller.v
printf 'module controller(output DRW);\n  assign DRW = ;\nendmodule\n' >class/broken/controller.v
printf 'module controller(output DRW);\n`include "/etc/passwd"\nendmodule\n' >class/including/controller.v
printf 'module controller(input [7:0] IR, output DRW);\n  wire [1023:0] p = {128{IR}} * {128{IR}};\n  assign DRW = ^p;\nendmodule\n' \
  >class/busy/controller.v
cp "$scripts/alu.orrin" check.orrin

status=0
TMPDIR=$out/tmp "$grade" -j 2 --timeout 4 --compare-controller check.orrin --csv g.csv --junit g.xml \
  class/right class/wrong class/missing class/linked class/broken class/including class/busy >grade.log 2>&1 || status=$?
[[ $status -eq 1 ]] || { cat grade.log; fail "status $status, expected 1"; }
expect_row() { grep -qxF -- "$1" g.csv || { cat g.csv; fail "no row: $1"; }; }
expect_row 'class/right,passed,1,0,,1/1'
expect_row 'class/wrong,failed,0,1,"line 25: run: small beat 19 (machine cycle 4): BUS microprogram=2C hardwired=2D, CIN microprogram=1 hardwired=0",0/1'
expect_row 'class/missing,failed,0,1,警告: 无法读取文件：controller.v,0/1'
expect_row 'class/linked,failed,0,1,"`controller.v` is a link, not a file",0/1'
expect_row "class/broken,failed,0,1,\"警告: Yosys 综合失败：controller.v:2: ERROR: syntax error, unexpected ';'\",0/1"
expect_row 'class/including,failed,0,1,警告: Verilog 设计只能是一个文件，不能用 `include：controller.v,0/1'
expect_row 'class/busy,timeout,0,0,ran past its time limit,0/1'
# The design's case fails in JUnit too, not only the file's.
grep -q 'name="compare-controller check.orrin">' g.xml || { cat g.xml; fail "junit case"; }
[[ $(grep -c '<failure message="line 0: load-controller controller.v' g.xml) -eq 4 ]] || { cat g.xml; fail "line 0 cases"; }
sleep 0.5
pgrep -f "$out/tmp" >/dev/null && fail "a Yosys of the busy design is still running"
[[ -z "$(ls tmp)" ]] || fail "the scratch folder is left"

# Bad options: nothing graded.
for args in "--compare-controller check.orrin --lab x.lab class/right" "--compare-controller nothing.orrin class/right" \
  "--compare-controller check.orrin"; do
  status=0
  # shellcheck disable=SC2086
  "$grade" $args >bad.log 2>&1 || status=$?
  [[ $status -eq 2 ]] || { cat bad.log; fail "$args: status $status, expected 2"; }
done
echo "grade_compare: ok"
