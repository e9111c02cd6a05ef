#!/usr/bin/env bash
# Brings translations/orrin_en.ts up to date with the texts in the code:
# lupdate adds new texts (to be translated with Qt Linguist or by hand) and
# marks vanished ones; translations already made are kept. The build turns
# the .ts into the .qm the window loads.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -silent -no-obsolete -locations relative -target-language en ui layout -ts translations/orrin_en.ts
