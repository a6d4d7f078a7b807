#!/usr/bin/env bash
# Makes docs/line-clear.gif, the README's animated picture: the real
# Brixol.exe under wine on an Xvfb display, played by
# tools/animation/line_clear.py up to a line clear with its flash and caption.
#   bash tools/make-animation.sh [OUTPUT.gif]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
output="$(realpath -m "${1:-${root}/docs/line-clear.gif}")"

work="$(mktemp -d)"
source "${root}/tools/wine-env.sh"
trap 'brixol_stop_wine; rm -rf "${work}"' EXIT
brixol_picture_setup "${root}" "${root}/build/wineprefix"
wine64="$(brixol_wine64)"

for attempt in 1 2 3; do
  mkdir -p "${work}/${attempt}/frames"
  (cd "${work}/${attempt}" && exec setsid "${wine64}" "${root}/build/win64/shell/Brixol.exe" </dev/null >/dev/null 2>&1) &
  window="$(brixol_wait_for_window Brixol)" || { echo "make-animation: no Brixol window appeared" >&2; exit 1; }
  sleep 1  # the first paint
  if python3 "${root}/tools/animation/line_clear.py" "${window}" "${work}/line-clear.gif" "${work}/${attempt}/frames"; then
    mkdir -p "$(dirname "${output}")"
    cp "${work}/line-clear.gif" "${output}"
    echo "make-animation: ${output}, $(stat -c %s "${output}") bytes"
    exit 0
  fi
  echo "make-animation: attempt ${attempt} did not reach a line clear; once more" >&2
  wineserver -k >/dev/null 2>&1 || true
  sleep 1
done
exit 1
