#!/usr/bin/env bash
# The Debian package holds what a user needs and works where it lands: its
# fields, its files, its dependencies resolvable by apt, and, unpacked into
# a fresh root, orrin-run giving a golden script's output and the window
# finding its English catalogue relative to itself.
#   deb_check.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
deb=$(realpath "$1")
src=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

[[ $(dpkg-deb -f "$deb" Package) == orrin ]] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 zlib1g libstdc++6; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/orrin ./usr/bin/orrin-run ./usr/bin/orrin-grade ./usr/bin/orrin-asm \
    ./usr/share/applications/org.orrin.Orrin.desktop \
    ./usr/share/icons/hicolor/scalable/apps/org.orrin.Orrin.svg \
    ./usr/share/metainfo/org.orrin.Orrin.metainfo.xml \
    ./usr/share/orrin/translations/orrin_en.qm ./usr/share/orrin/standard.isa \
    ./usr/share/orrin/examples/asm/sum.asm \
    ./usr/share/doc/orrin/copyright ./usr/share/doc/orrin/changelog.gz \
    ./usr/share/man/man1/orrin.1.gz ./usr/share/man/man1/orrin-run.1.gz \
    ./usr/share/man/man1/orrin-grade.1.gz ./usr/share/man/man1/orrin-asm.1.gz; do
  grep -qxF "$f" <<<"$files" || fail "$f not in the package"
done
# Every dependency is a package apt knows (a simulation needs no root).
apt-get install -s "$deb" >"$root/apt.log" 2>&1 || { cat "$root/apt.log"; fail "apt cannot install it"; }

dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.orrin.Orrin.metainfo.xml" >/dev/null || fail "metainfo"
! grep -q 'example\.org' "$root/usr/share/metainfo/org.orrin.Orrin.metainfo.xml" || fail "metainfo names a placeholder"
out=$(cd "$src/tests/scripts" && "$root/usr/bin/orrin-run" program_run.orrin)
[[ $out == "$(cat "$src/tests/scripts/program_run.expected")" ]] || fail "installed orrin-run: output differs"
asm=$("$root/usr/bin/orrin-asm" -d "$src/examples/memory/sum.txt" | head -1)
[[ -n $asm ]] || fail "installed orrin-asm"
log=$(XDG_CONFIG_HOME="$root/config" QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/orrin" --lang en 2>&1 || true)
[[ $log != *"orrin_en.qm was not found"* ]] || fail "the window did not find its catalogue: $log"
# Debian's own checker: no error (the warnings accepted are listed in the README).
lintian --tag-display-limit 0 "$deb" >"$root/lintian.log" 2>&1 || true
! grep -q '^E: ' "$root/lintian.log" || { cat "$root/lintian.log"; fail "lintian reports errors"; }
# A manual page reads as one: its name line and the options of its --help.
zcat "$root/usr/share/man/man1/orrin-run.1.gz" | grep -q -- '--lab' || fail "orrin-run.1 lacks its options"
echo "package: ok ($(basename "$deb"), $(du -k "$deb" | cut -f1) KB)"
