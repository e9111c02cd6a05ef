#!/usr/bin/env bash
# Takes the README's pictures of the window with the ALU experiment wired up:
# the window at its initial size on a virtual screen, in Chinese and in
# English, and the whole board.
#   docs/screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
snapshot=${1:-build}/orrin-snapshot
wires=examples/wiring/alu.txt

for lang in zh en; do
  picture=docs/window.png
  [[ $lang == en ]] && picture=docs/window_en.png
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
    '$snapshot' --lang $lang --demo '$wires' --hold 4 & pid=\$!
    sleep 3
    import -window root -crop 1018x364+20+16 +repage $picture
    wait \$pid"
done
QT_QPA_PLATFORM=offscreen "$snapshot" --lang zh --demo "$wires" --board docs/board.png
