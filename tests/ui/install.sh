#!/usr/bin/env bash
# cmake --install lays out every program, the desktop entry (valid for
# desktop-file-validate), the icon in the hicolor theme, the AppStream
# metainfo (valid for appstreamcli, offline) and the English catalogue; the
# installed orrin-run speaks English, and the installed window finds its
# catalogue relative to itself only, after the whole tree has moved.
#   install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix" "$prefix.moved"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/orrin bin/orrin-run bin/orrin-grade bin/orrin-asm \
    share/applications/org.orrin.Orrin.desktop \
    share/icons/hicolor/scalable/apps/org.orrin.Orrin.svg \
    share/metainfo/org.orrin.Orrin.metainfo.xml \
    share/orrin/translations/orrin_en.qm; do
  [[ -s "$prefix/$f" ]] || fail "$f not installed"
done
desktop-file-validate "$prefix/share/applications/org.orrin.Orrin.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.orrin.Orrin.metainfo.xml" >/dev/null || fail "metainfo"
out=$(printf 'export-trace /nonexistent/x.csv\n' | "$prefix/bin/orrin-run" --lang en 2>&1)
[[ $out == "Warning: Cannot write the file: /nonexistent/x.csv" ]] || fail "installed orrin-run --lang en: $out"
# No path of the build tree in the programs: move the installed tree away.
for p in orrin orrin-run orrin-grade orrin-asm; do
  ! grep -qF "$(realpath "$build")/translations" "$prefix/bin/$p" || fail "$p names the build tree"
done
mv "$prefix" "$prefix.moved"
log=$(XDG_CONFIG_HOME="$prefix.moved/config" QT_QPA_PLATFORM=offscreen timeout 5 "$prefix.moved/bin/orrin" --lang en 2>&1 || true)
[[ $log != *"orrin_en.qm was not found"* ]] || fail "the moved window did not find its catalogue: $log"
echo "install: ok"
