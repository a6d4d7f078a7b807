#!/usr/bin/env bash
# Builds Brixol.exe and plays it under wine, in the current directory, so
# that "./Brixol.ini" and "background.*" are found where the user runs it.
# Runs as an ordinary user. Ctrl+C, or closing the terminal, closes the game
# the way its close box does, so that it saves Brixol.ini.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${root}/build/win64"
log="${root}/build/play.log"

# Never fails, also once the terminal is gone.
say() { printf 'play: %s\n' "$*" 2>/dev/null || true; }

bash "${root}/tools/setup.sh"
mkdir -p "${root}/build"
: > "${log}"

if [ ! -x "${build}/shell/Brixol.exe" ]; then
  say "building Brixol.exe (the first time takes a few minutes)"
fi
if ! { cmake --preset win64 -S "${root}" && cmake --build "${build}" -j "$(nproc)" --target Brixol; } >>"${log}" 2>&1; then
  tail -n 30 "${log}" >&2
  say "the build failed; its output is in ${log}" >&2
  exit 1
fi
exe="${build}/shell/Brixol.exe"

# A small Windows program that closes the game as its close box does.
closer="${root}/build/play/close-brixol.exe"
closer_source="${root}/tools/play/close-brixol.cpp"
if [ ! -x "${closer}" ] || [ "${closer_source}" -nt "${closer}" ]; then
  mkdir -p "$(dirname "${closer}")"
  x86_64-w64-mingw32-g++-posix -O2 -DUNICODE -D_UNICODE -static -s -o "${closer}" "${closer_source}" -luser32 >>"${log}" 2>&1
fi

source "${root}/tools/wine-env.sh"
trap brixol_stop_wine EXIT

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  shown=yes
else
  shown=no
  if [ -n "${DISPLAY:-}" ]; then
    say "cannot open the display ${DISPLAY}"
  else
    say "no display to show the game on: DISPLAY is not set (a text console, or ssh without -X)"
  fi
  brixol_start_display
  say "so Brixol runs on an invisible Xvfb display, ${DISPLAY}: you will not see it here."
  say "  To see the game, start tools/play.sh in a terminal of your desktop (or over ssh -X)."
  say "  To take a picture of it now, from another terminal:"
  say "    DISPLAY=${DISPLAY} import -window root brixol.png"
fi

# The program is Unicode and needs no Japanese system locale; with one, wine
# also labels its standard buttons in Japanese.
unset LC_ALL
if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  export LANG=ja_JP.UTF-8
else
  export LANG=C.UTF-8
fi

if [ ! -f "${root}/build/wineprefix-play/.brixol-ready" ]; then
  say "preparing wine's files for the game (once, about half a minute)"
fi
brixol_prepare_prefix "${root}/build/wineprefix-play" play
wine64="$(brixol_wine64)"

say "Brixol.exe is running$([ "${shown}" = yes ] && echo " on ${DISPLAY}"); settings and scores go to $(pwd)/Brixol.ini"
say "Ctrl+C here (or closing this terminal) closes the game and saves them."

# The game runs in a session of its own, so that Ctrl+C reaches this script
# only (wine would end the program at once); its output goes to the log.
setsid "${wine64}" "${exe}" </dev/null >>"${log}" 2>&1 &
game=$!

close_game() {
  say "closing Brixol as its close box does, so that it saves Brixol.ini"
  local status=0
  "${wine64}" "${closer}" </dev/null >>"${log}" 2>&1 || status=$?
  case "${status}" in
    0) ;;
    1) say "found no Brixol window to close" ;;
    *) say "a dialog of the game did not close" ;;
  esac
  for _ in $(seq 100); do
    if ! kill -0 "${game}" 2>/dev/null; then
      say "Brixol has closed."
      return 0
    fi
    sleep 0.2
  done
  say "Brixol did not close within 20 seconds; stopping wine (this session's changes are lost)"
  wineserver -k >/dev/null 2>&1 || true
}

closing=""
trap 'closing=yes' INT HUP TERM
while kill -0 "${game}" 2>/dev/null; do
  if [ -n "${closing}" ]; then
    close_game
    break
  fi
  # A short sleep instead of waiting for the game, so that a signal that
  # comes just before the wait is not left until the game ends.
  sleep 0.2 &
  wait $! 2>/dev/null || true
done
wait "${game}" 2>/dev/null || true
