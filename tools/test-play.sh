#!/usr/bin/env bash
# Tests tools/play.sh as a new player would use it: an ordinary user, on a
# machine with everything installed, in a clone of their own, without a
# display. The launcher must say that it starts an invisible one; the test
# then plays on it (options, a game to its end, a high score), presses Ctrl+C
# (SIGINT) and reads Brixol.ini back: the session's options and score must be
# there, since Ctrl+C closes the game as its close box does.
# Run by tools/test.sh; as root it creates the user "brixol-player".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
player=brixol-player

fail() {
  echo "test-play: FAILED: $*" >&2
  if [ -n "${work:-}" ] && [ -f "${work}/play/out.txt" ]; then
    echo "--- play.sh said:" >&2
    cat "${work}/play/out.txt" >&2
  fi
  exit 1
}

work="$(mktemp -d /tmp/brixol-play-test.XXXXXX)"
play_pid=""
cleanup() {
  if [ -n "${play_pid}" ] && kill -0 "${play_pid}" 2>/dev/null; then
    kill -TERM "${play_pid}" 2>/dev/null || true
    sleep 5
  fi
  rm -rf "${work}"
}
trap cleanup EXIT

# The player and their clone.
run_as_player=()
if [ "$(id -u)" -eq 0 ]; then
  id "${player}" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "${player}"
  run_as_player=(setpriv --reuid="${player}" --regid="${player}" --init-groups --reset-env)
fi
mkdir -p "${work}/src" "${work}/play"
git -C "${root}" ls-files -z --cached --others --exclude-standard |
  (cd "${root}" && tar --null -T - -cf -) | tar -xf - -C "${work}/src"
if [ "$(id -u)" -eq 0 ]; then
  chown -R "${player}:" "${work}"
  chmod 755 "${work}"
fi

# Job control gives the launcher a process group of its own in which SIGINT
# is not ignored, as in a terminal.
set -m
(cd "${work}/play" && exec "${run_as_player[@]}" env -u DISPLAY bash -c \
  "cd '${work}/play' && exec bash '${work}/src/tools/play.sh'" >"${work}/play/out.txt" 2>&1 </dev/null) &
play_pid=$!
set +m

# The launcher builds the game and makes its wine prefix first.
display=""
for _ in $(seq 600); do
  kill -0 "${play_pid}" 2>/dev/null || fail "play.sh ended before the game started"
  display="$(sed -n 's/.*invisible Xvfb display, \(:[0-9]*\).*/\1/p' "${work}/play/out.txt")"
  [ -n "${display}" ] && grep -q "Brixol.exe is running" "${work}/play/out.txt" && break
  sleep 1
done
[ -n "${display}" ] || fail "play.sh did not say which display it started"
grep -q "no display to show the game on" "${work}/play/out.txt" || fail "play.sh did not say that there is no display"
export DISPLAY="${display}"

# The window is named before it is mapped, and an unmapped window cannot
# take the focus (X answers BadMatch): wait until it is on screen and focused.
window=""
focused=""
for _ in $(seq 60); do
  window="$(xdotool search --onlyvisible --name '^Brixol$' 2>/dev/null | head -1 || true)"
  if [ -n "${window}" ] && xdotool windowfocus "${window}" 2>/dev/null; then
    focused=yes
    break
  fi
  sleep 0.5
done
[ -n "${window}" ] || fail "no Brixol window on ${DISPLAY}"
[ -n "${focused}" ] || fail "the Brixol window on ${DISPLAY} never took the focus"
sleep 1

# The options: sound off (on by default), guide block on (off by default).
xdotool key n
sleep 0.3
xdotool key g
sleep 0.3
# A game of hard drops only, which soon reaches the top: a point per row.
xdotool key s
sleep 0.5
for _ in $(seq 40); do
  xdotool key shift
  sleep 0.4
done
sleep 1
# "ゲームオーバー！", then the name entry of the new high score: Enter takes
# the name offered. The score table that follows is left open: Ctrl+C must
# close it too.
xdotool key Return
sleep 1.5
xdotool key Return
sleep 1.5

open_windows="$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | paste -sd, || true)"
echo "test-play: windows on ${DISPLAY} at Ctrl+C: ${open_windows}"
kill -INT "${play_pid}"
for _ in $(seq 60); do
  kill -0 "${play_pid}" 2>/dev/null || break
  sleep 0.5
done
kill -0 "${play_pid}" 2>/dev/null && fail "play.sh still runs 30 s after Ctrl+C"
play_pid=""
grep -q "Brixol has closed" "${work}/play/out.txt" || fail "play.sh did not report the game closed"

ini="${work}/play/Brixol.ini"
[ -f "${ini}" ] || fail "no Brixol.ini after Ctrl+C"
settings="$(iconv -f UTF-16LE -t UTF-8 "${ini}" | tr -d '\r' | sed 's/^\xEF\xBB\xBF//')"
expect() {
  grep -qx "$1" <<<"${settings}" || fail "Brixol.ini lacks '$1':
${settings}"
}
expect 'Sound=0'
expect 'Guide=1'
expect 'HighScoreNum=1'
expect 'Name=名無しさん'
score="$(sed -n 's/^Score=//p' <<<"${settings}")"
[ -n "${score}" ] && [ "${score}" -gt 0 ] || fail "no score above 0 in Brixol.ini:
${settings}"

if grep -qi "alsa\|err:\|fixme:" "${work}/play/out.txt"; then
  fail "play.sh let wine's messages through to the terminal"
fi
sed 's/^/  | /' "${work}/play/out.txt"
echo "test-play: passed (play.sh as $(id -un 2>/dev/null || echo me)${run_as_player:+ → ${player}}; Brixol.ini: Sound=0, Guide=1, one score of ${score})"
