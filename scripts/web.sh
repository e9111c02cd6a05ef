#!/usr/bin/env bash
# The board in a web browser.
#   scripts/web.sh build    builds the page into build-web/site/ (static files only)
#   scripts/web.sh [PORT]   builds it and serves it on http://localhost:PORT/ (default 8000)
# Any static host can serve build-web/site/ as it is.
#
# The module is the simulator's Qt-free layers compiled by Debian's
# emscripten; the pictures and the layout are made by the desktop program
# (orrin-web-assets, from the Release build also used for the package), so
# the page shows the board the window shows.
set -euo pipefail
cd "$(dirname "$0")/.."
ORRIN_WEB=1 scripts/setup.sh >&2
export NODE_PATH=/usr/share/nodejs  # emscripten's tools find Debian's node-acorn there

site=build-web/site
native=${ORRIN_NATIVE_BUILD:-build-release}

build() {
  cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_SANITIZE=OFF -DORRIN_WINDOW=ON \
    -DORRIN_TESTS=OFF -DORRIN_BENCH=OFF -DORRIN_FUZZ=OFF >&2
  cmake --build "$native" --target orrin-web-assets >&2
  emcmake cmake -S . -B build-web/module -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIN_WEB=ON >&2
  cmake --build build-web/module >&2

  rm -rf "$site"
  mkdir -p "$site/assets"
  QT_QPA_PLATFORM=offscreen "$native/orrin-web-assets" "$site/assets" 2> >(grep -v 'propagateSizeHints' >&2)
  python3 scripts/catalogue_json.py translations/orrin_en.ts >"$site/assets/en.json"
  cp build-web/module/orrin.js build-web/module/orrin.wasm build-web/module/orrin.data web/index.html \
    web/page.js web/orrin.css "$site/"
  cp -r web/js "$site/js"
  cp web/manifest.webmanifest "$site/"
  # The labs' texts, fetched by the page (their files are in the module's data).
  mkdir -p "$site/examples/labs"
  cp examples/labs/*.lab "$site/examples/labs/"
  # The installed page's icon: the board's ALU corner.
  convert "$site/assets/board_zh.png" -crop 420x420+0+0 +repage -resize 512x512 "$site/icon-512.png"
  convert "$site/icon-512.png" -resize 192x192 "$site/icon.png"
  # The offline copy: every file of this site, in a cache named after its
  # contents, so a new release replaces it.
  (cd "$site" && find . -type f ! -name sw.js ! -name files.json | sed 's|^\./||' | sort |
    python3 -c 'import json,sys; print(json.dumps(["./"] + [l.strip() for l in sys.stdin]))' >files.json)
  release=$(cd "$site" && find . -type f ! -name sw.js -print0 | sort -z | xargs -0 sha256sum | sha256sum | cut -c1-16)
  sed "s/@RELEASE@/$release/" web/sw.js >"$site/sw.js"
  echo "$PWD/$site"
}

case "${1:-serve}" in
  build)
    build
    ;;
  *)
    build >/dev/null
    port=${1:-8000}
    [[ "$port" == serve ]] && port=8000
    echo "serving $site on http://localhost:$port/" >&2
    exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
    ;;
esac
