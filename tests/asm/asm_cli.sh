#!/usr/bin/env bash
# orrin-asm from the command line: each kind of error is reported as
# SOURCE:LINE: message with status 2 and no output file; a good source
# writes the memory file; -d lists one.
#   asm_cli.sh ORRIN_ASM EXAMPLES_DIR
set -euo pipefail
asm=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

check() {  # LINE MESSAGE-START SOURCE
  printf '%b' "$3" >"$dir/bad.asm"
  rm -f "$dir/out.txt"
  status=0
  "$asm" "$dir/bad.asm" -o "$dir/out.txt" 2>"$dir/err" || status=$?
  [[ $status -eq 2 ]] || fail "'$2': status $status"
  grep -q "^$dir/bad.asm:$1: $2" "$dir/err" || fail "'$2' not reported on line $1: $(cat "$dir/err")"
  [[ ! -e "$dir/out.txt" ]] || fail "'$2': an output file was written"
}
check 2 "unknown mnemonic 'FROB'" 'HLT\nFROB R1\n'
check 1 "ADD takes Rd,Rs" 'ADD R1\n'
check 3 "no register R7" '; c\n\nINC R7\n'
check 1 "bad operand" 'LD R1,R2\n'
check 1 "jump out of range" 'back: JZ back\n'
check 1 "jump out of range" 'JC far\nORG 0x40\nfar: HLT\n'
check 1 "undefined label 'nowhere'" 'JZ nowhere\n'
check 2 "duplicate label 'a'" 'a: HLT\na: HLT\n'
check 3 "overlapping bytes at address 00" 'HLT\nORG 0\nDB 1\n'
check 1 "value out of range: 256" 'DB 256\n'
# Every error of the file, in line order.
printf 'FROB\nHLT\nINC R9\n' >"$dir/two.asm"
"$asm" "$dir/two.asm" -o "$dir/out.txt" 2>"$dir/err" && fail "errors gave status 0"
[[ $(wc -l <"$dir/err") -eq 2 ]] || fail "not every error: $(cat "$dir/err")"

"$asm" "$examples/asm/sum.asm" -o "$dir/sum.txt"
cmp "$dir/sum.txt" "$examples/memory/sum.txt" || fail "sum.asm"
"$asm" -d "$examples/memory/sum.txt" >"$dir/sum.lst"
grep -q '^0A: 81  JZ L0C$' "$dir/sum.lst" || fail "listing"
"$asm" "$dir/sum.lst" -o "$dir/again.txt"
cmp "$dir/again.txt" "$examples/memory/sum.txt" || fail "the listing does not assemble back"
# A teacher's instruction set.
printf 'A OUT Rd\nE HLT -\n' >"$dir/my.isa"
printf 'OUT R3\nHLT\n' >"$dir/my.asm"
"$asm" --isa "$dir/my.isa" "$dir/my.asm" -o "$dir/my.txt"
[[ $(head -c 4 "$dir/my.txt") == "ACE0" ]] || fail "--isa"
# Bad arguments.
for args in "" "x.asm" "-d" "--bogus x" "$dir/my.asm -o"; do
  status=0
  # shellcheck disable=SC2086
  "$asm" $args >/dev/null 2>&1 || status=$?
  [[ $status -eq 2 ]] || fail "'$args': status $status"
done
# A source over the limit is refused as too large, not as unreadable.
head -c $((1024 * 1024 + 1)) /dev/zero | tr '\0' ' ' >"$dir/huge.asm"
status=0
"$asm" "$dir/huge.asm" -o "$dir/out.txt" 2>"$dir/err" || status=$?
[[ $status -eq 2 ]] && grep -q "huge.asm is too large" "$dir/err" || fail "too large: $(cat "$dir/err")"
# -o never replaces the source, under any of its names.
cp "$examples/asm/sum.asm" "$dir/self.asm"
status=0
(cd "$dir" && "$asm" self.asm -o ./self.asm) 2>"$dir/err" || status=$?
[[ $status -eq 2 ]] && cmp -s "$dir/self.asm" "$examples/asm/sum.asm" || fail "-o overwrote its own source"
# -d reads memory files as the board does: what the board refuses, it refuses.
{ cat "$examples/memory/sum.txt"; printf 'x'; } >"$dir/tail.txt"
"$asm" -d "$dir/tail.txt" >/dev/null 2>&1 && fail "-d listed a file the board refuses"
{ printf '\xEF\xBB\xBF'; cat "$examples/memory/sum.txt"; printf '\r\n'; } >"$dir/bom.txt"
"$asm" -d "$dir/bom.txt" | grep -q '^0A: 81  JZ L0C$' || fail "-d with a byte-order mark"
# "--" ends the options: a source may start with a dash.
cp "$examples/asm/sum.asm" "$dir/-x.asm"
(cd "$dir" && "$asm" -o out.txt -- -x.asm) || fail "--"

# ---- microprogram sources
# The shipped source is the default store: its file, listed back, has the
# same words as the default file listed.
"$asm" --micro "$examples/microprogram/standard.mc" -o "$dir/micro.txt" || fail "--micro standard.mc"
words() { sed 's/ ;.*//'; }
"$asm" --micro -d "$dir/micro.txt" | words >"$dir/a.lst"
"$asm" --micro -d "$examples/microprogram/default.txt" | words >"$dir/b.lst"
cmp -s "$dir/a.lst" "$dir/b.lst" || fail "standard.mc is not the default store: $(diff "$dir/a.lst" "$dir/b.lst" | head -5)"
grep -q '^01:[0-9A-F]\{10\} ;fetch: ' "$dir/micro.txt" || fail "the file keeps a word's label and comment: $(sed -n 2p "$dir/micro.txt")"
# The listing assembles back to the same file.
"$asm" --micro -d "$dir/micro.txt" >"$dir/again.mc"
"$asm" --micro "$dir/again.mc" -o "$dir/again.txt"
[[ "$(words <"$dir/again.txt")" == "$(words <"$dir/micro.txt")" ]] || fail "the listing of a microprogram file does not assemble back"
# Errors: every one with its line, status 2, nothing written.
printf '00: DRW\n01: FROB\n02: -> nowhere\n' >"$dir/bad.mc"
rm -f "$dir/out.txt"
status=0
"$asm" --micro "$dir/bad.mc" -o "$dir/out.txt" 2>"$dir/err" || status=$?
[[ $status -eq 2 && ! -e "$dir/out.txt" ]] || fail "a bad source: status $status"
grep -q "^$dir/bad.mc:2: unknown word 'FROB'$" "$dir/err" && grep -q "^$dir/bad.mc:3: undefined label 'nowhere'$" "$dir/err" ||
  fail "bad source messages: $(cat "$dir/err")"
# The instruction lines of a source are an instruction set; one without any
# leaves the standard one.
"$asm" --isa "$examples/microprogram/standard.mc" "$examples/asm/sum.asm" -o "$dir/sum2.txt"
cmp -s "$dir/sum2.txt" "$examples/memory/sum.txt" || fail "--isa standard.mc"
printf 'instruction A MOV Rd,Rs\ninstruction E HLT -\n' >"$dir/mov.mc"
printf 'MOV R1,R2\nHLT\n' >"$dir/mov.asm"
"$asm" --isa "$dir/mov.mc" "$dir/mov.asm" -o "$dir/mov.txt"
[[ $(head -c 4 "$dir/mov.txt") == "A6E0" ]] || fail "--isa with instruction lines"
printf '00: DRW\n' >"$dir/plain.mc"
"$asm" --isa "$dir/plain.mc" "$examples/asm/sum.asm" -o "$dir/sum3.txt" && cmp -s "$dir/sum3.txt" "$examples/memory/sum.txt" ||
  fail "--isa with a source without instruction lines"
# -d refuses what the board refuses; bad combinations are usage errors.
"$asm" --micro -d "$examples/asm/sum.asm" >/dev/null 2>&1 && fail "--micro -d listed a file without a word"
for args in "--micro" "--micro -d" "--micro --isa x.isa y.mc -o z" "--micro $dir/bad.mc"; do
  status=0
  # shellcheck disable=SC2086
  "$asm" $args >/dev/null 2>&1 || status=$?
  [[ $status -eq 2 ]] || fail "'$args': status $status"
done
echo "orrin-asm: all checks passed"
