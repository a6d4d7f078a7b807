# Sourced by the test and play scripts: a display and a private wine prefix.
#   brixol_wine64                 the loader that runs 64-bit programs
#   brixol_wine32_works           true when 32-bit Windows programs can run here
#   brixol_start_display          starts Xvfb when no DISPLAY is set
#   brixol_prepare_prefix DIR [tests|play]
#                                 creates the wine prefix once, with the fonts
#                                 the Japanese interface needs; "tests" (the
#                                 default) also lets wine draw the windows
#                                 itself, for a display without a window manager
#   brixol_picture_setup ROOT PREFIX
#                                 for the scripts that take pictures of the
#                                 game: builds the 64-bit Brixol.exe, starts
#                                 an Xvfb display of its own whatever DISPLAY
#                                 says (no desktop's window frame in the
#                                 pictures), and prepares the tests' kind of
#                                 prefix there
#   brixol_wait_for_window TITLE  prints the X id of the first window of that
#                                 title once it appears (within 30 s)
#   brixol_stop_wine              stops wine and the Xvfb this script started

BRIXOL_XVFB_PID=""

# Debian's `wine` command prefers the 32-bit loader whenever it is installed,
# even on a kernel that cannot run 32-bit programs; the 64-bit loader runs
# 64-bit programs on every system.
brixol_wine64() {
  local loader
  for loader in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
    if [ -n "${loader}" ] && [ -x "${loader}" ]; then
      echo "${loader}"
      return 0
    fi
  done
  return 1
}

# The 32-bit loader is missing without wine32:i386, and cannot start on a
# kernel built or booted without 32-bit support.
brixol_wine32_works() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

brixol_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":${n}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  BRIXOL_XVFB_PID=$!
  export DISPLAY=":${n}"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine-env: Xvfb did not start on ${DISPLAY}" >&2
  return 1
}

# Font names the program asks for, mapped to the fonts Debian installs.
brixol_font_registry() {
  cat <<'REG'
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"Times New Roman"="Liberation Serif"
"Arial"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

REG
}

# True when the machine has a sound output wine can use.
brixol_has_sound_device() {
  compgen -G '/dev/snd/pcmC*D*p' >/dev/null 2>&1 && return 0
  command -v pactl >/dev/null 2>&1 && pactl info >/dev/null 2>&1
}

# The registry settings of a prefix of the given kind.
brixol_prefix_registry() {
  echo 'Windows Registry Editor Version 5.00'
  echo
  brixol_font_registry
  case "$1" in
    tests)
      # The test display has no window manager: wine draws the windows itself
      # (it would otherwise wait for one whenever a window is hidden).
      printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' ''
      ;;
    play)
      # The desktop's window manager frames the game window.
      printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"=-' ''
      ;;
  esac
  # Without a sound device, no audio driver: wine would try ALSA again for
  # every sound and print its errors each time.
  printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\Drivers]'
  if brixol_has_sound_device; then echo '"Audio"=-'; else echo '"Audio"=""'; fi
  echo
}

# What the marker records: whether 32-bit programs could run when the prefix
# was made (a prefix made without them fails as soon as they can), and the
# registry settings applied.
brixol_prefix_marker() {
  local wine32=no
  brixol_wine32_works && wine32=yes
  echo "wine32=${wine32}"
  echo "registry=$(brixol_prefix_registry "$1" | md5sum | cut -d' ' -f1)"
}

brixol_prepare_prefix() {
  local kind="${2:-tests}"
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${kind}" = tests ]; then
    # A test program that crashes ends at once and fails, instead of hanging
    # in wine's debugger until the test's timeout.
    WINEDLLOVERRIDES="${WINEDLLOVERRIDES};winedbg.exe=d"
  fi
  local wine64 marker stored
  wine64="$(brixol_wine64)" || { echo "wine-env: no wine loader found" >&2; return 1; }
  marker="$(brixol_prefix_marker "${kind}")"
  stored="$(cat "${WINEPREFIX}/.brixol-ready" 2>/dev/null || true)"
  if [ "${stored}" = "${marker}" ]; then
    return 0
  fi
  if [ "$(head -1 <<<"${stored}")" != "$(head -1 <<<"${marker}")" ] && [ -e "${WINEPREFIX}" ]; then
    # Made before the 32-bit wine could run (or by an older script): a
    # prefix without its 32-bit half stops every program, 64-bit ones too.
    echo "wine-env: making ${WINEPREFIX} again (32-bit wine: $(head -1 <<<"${marker}" | cut -d= -f2))" >&2
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "${WINEPREFIX}"
  fi
  mkdir -p "${WINEPREFIX}"
  if [ ! -f "${WINEPREFIX}/system.reg" ]; then
    "${wine64}" wineboot -i >/dev/null 2>&1 || { echo "wine-env: wineboot failed in ${WINEPREFIX}" >&2; return 1; }
  fi
  local reg="${WINEPREFIX}/brixol.reg"
  brixol_prefix_registry "${kind}" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "${reg}"
  "${wine64}" regedit /S "$("${wine64}" winepath -w "${reg}")" >/dev/null 2>&1
  wineserver -w
  echo "${marker}" > "${WINEPREFIX}/.brixol-ready"
}

brixol_picture_setup() {
  bash "$1/tools/setup.sh"
  cmake --preset win64 -S "$1" >/dev/null
  cmake --build "$1/build/win64" -j "$(nproc)" --target Brixol >/dev/null
  unset DISPLAY
  brixol_start_display
  export LANG=C.UTF-8
  brixol_prepare_prefix "$2" tests
}

brixol_wait_for_window() {
  local window=""
  for _ in $(seq 60); do
    window="$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)"
    [ -n "${window}" ] && { echo "${window}"; return 0; }
    sleep 0.5
  done
  return 1
}

brixol_stop_wine() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "${BRIXOL_XVFB_PID}" ]; then
    kill "${BRIXOL_XVFB_PID}" 2>/dev/null || true
    wait "${BRIXOL_XVFB_PID}" 2>/dev/null || true
    BRIXOL_XVFB_PID=""
  fi
}
