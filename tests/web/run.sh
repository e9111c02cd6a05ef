#!/usr/bin/env bash
# The web page's tests in Debian's Chromium: builds the page, installs
# puppeteer-core from the lock file, runs tests/web/web_test.mjs, then
# tests/web/report_test.mjs on orrin-grade's class report.
#   tests/web/run.sh [NATIVE_BUILD]   (default build-release: orrin-run and orrin-snapshot from it)
set -euo pipefail
cd "$(dirname "$0")/../.."
native=${1:-build-release}
native=${native%/}
site=$(ORRIN_NATIVE_BUILD="$native" scripts/web.sh build)
cmake --build "$native" --target orrin-run orrin-snapshot orrin-grade >&2
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
mkdir -p build-web/report
node tests/web/web_test.mjs "$site" "$PWD/$native/orrin-run" "$PWD/$native/orrin-snapshot" "$PWD/build-web/report"
# orrin-grade's class report, looked at in the same Chromium.
node tests/web/report_test.mjs "$PWD/$native/orrin-grade" "$PWD/examples" "$PWD/build-web/report"
