#!/usr/bin/env bash
# Installs the Debian packages the build, the window and the tests need.
# Only what is missing is installed; running it again does nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev clang-format-14
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev zlib1g-dev qt6-l10n-tools qt6-translations-l10n
  xvfb xauth imagemagick parallel gtkwave desktop-file-utils appstream python3 help2man lintian
  fonts-wqy-microhei fonts-wqy-zenhei
  nlohmann-json3-dev yosys
)
# The web page: Debian's emscripten builds it, Chromium tests it.
if [[ "${ORRIN_WEB:-0}" == 1 ]]; then
  packages+=(emscripten chromium)
  # Node.js and npm may come from elsewhere than Debian; Debian's only when absent.
  command -v npm >/dev/null || packages+=(nodejs npm)
fi
if [[ "${ORRIN_FUZZ:-0}" == 1 ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
