#!/usr/bin/env bash
# Builds Brixol.exe and starts it under wine, in the current directory, so
# that "./Brixol.ini" and "background.*" are found where the user runs it.
# Uses the display in DISPLAY; starts an Xvfb display when there is none.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/tools/setup.sh"
cmake --preset win64 -S "${root}" >/dev/null
cmake --build "${root}/build/win64" -j "$(nproc)" --target Brixol

source "${root}/tools/wine-env.sh"
trap brixol_stop_wine EXIT
brixol_start_display
export LANG=ja_JP.UTF-8  # the Japanese interface, as on a Japanese Windows
brixol_prepare_prefix "${root}/build/wineprefix-play"
echo "play: Brixol.exe on display ${DISPLAY}, settings in $(pwd)/Brixol.ini"
wine "${root}/build/win64/shell/Brixol.exe"
