#!/usr/bin/env bash
# Makes docs/board-96.png and docs/board-192.png, the README's pictures of
# the board at 100 % and at 200 % display scaling: the real Brixol.exe under
# wine on an Xvfb display, started with the system DPI (LogPixels) at 96 and
# at 192, a game started and a few moves played, the window taken by
# ImageMagick's import. The prefix is one of its own: the tests' prefix
# keeps its DPI.
#   bash tools/make-screenshots.sh [OUTPUT_DIR]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
output="$(realpath -m "${1:-${root}/docs}")"

work="$(mktemp -d)"
source "${root}/tools/wine-env.sh"
trap 'brixol_stop_wine; rm -rf "${work}"' EXIT
brixol_picture_setup "${root}" "${root}/build/screenshot-prefix"
wine64="$(brixol_wine64)"
mkdir -p "${output}"

for dpi in 96 192; do
  "${wine64}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${dpi}" /f >/dev/null 2>&1
  wineserver -w
  mkdir -p "${work}/${dpi}"
  (cd "${work}/${dpi}" && exec setsid "${wine64}" "${root}/build/win64/shell/Brixol.exe" </dev/null >/dev/null 2>&1) &
  game=$!
  window="$(brixol_wait_for_window Brixol)" || { echo "make-screenshots: no Brixol window appeared at ${dpi} DPI" >&2; exit 1; }
  sleep 1  # the first paint
  xdotool windowfocus "${window}"
  # A game: three pieces dropped at once, the fourth turned and falling.
  xdotool key --delay 120 s Left Left Left shift Right Right shift Up Left shift Up
  sleep 1.5
  xdotool key g  # the guide block
  sleep 0.3
  import -window "${window}" "${output}/board-${dpi}.png"
  echo "make-screenshots: ${output}/board-${dpi}.png, $(identify -format '%w x %h' "${output}/board-${dpi}.png")"
  xdotool key --window "${window}" Escape
  wait "${game}"
  wineserver -w
done
"${wine64}" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
