# Sourced by the test and play scripts: a display and a private wine prefix.
#   brixol_start_display         starts Xvfb when no DISPLAY is set
#   brixol_prepare_prefix DIR    creates the wine prefix once, with the fonts
#                                the Japanese interface needs
#   brixol_stop_wine             stops wine and the Xvfb this script started

BRIXOL_XVFB_PID=""

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

# Font names the program asks for, mapped to the fonts Debian installs; and
# windows that wine draws itself, since the display has no window manager
# (wine would otherwise wait for one whenever a window is hidden).
brixol_font_registry() {
  cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"Times New Roman"="Liberation Serif"
"Arial"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
REG
}

brixol_prepare_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # The marker holds a digest of the font settings, so a change reapplies them.
  local digest
  digest="$(brixol_font_registry | md5sum | cut -d' ' -f1)"
  if [ "$(cat "${WINEPREFIX}/.brixol-ready" 2>/dev/null)" = "${digest}" ]; then
    return 0
  fi
  mkdir -p "${WINEPREFIX}"
  [ -f "${WINEPREFIX}/system.reg" ] || wineboot -i >/dev/null 2>&1
  local reg="${WINEPREFIX}/brixol-fonts.reg"
  brixol_font_registry | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "${reg}"
  wine regedit /S "$(winepath -w "${reg}")" >/dev/null 2>&1
  wineserver -w
  echo "${digest}" > "${WINEPREFIX}/.brixol-ready"
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
