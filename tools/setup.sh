#!/usr/bin/env bash
# Checks that everything the build, the tests and the game need is installed
# from Debian's packages, and installs what is missing. When all is there it
# only checks, so any user can run it; installing needs root, and for an
# ordinary user it asks sudo, saying what it installs and why.
set -euo pipefail

packages=(
  cmake g++ make googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  clang lld
  wine wine64 wine32:i386 xvfb x11-utils xdotool imagemagick python3
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation locales
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# True when the kernel runs 32-bit x86 programs (some are built or booted
# without): a 93-byte 32-bit program that only exits.
runs_32_bit_programs() {
  local dir probe status=0
  dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
  mkdir -p "${dir}" 2>/dev/null || dir="${TMPDIR:-/tmp}"
  probe="$(mktemp "${dir}/exec32-probe.XXXXXX")"
  base64 -d > "${probe}" <<'ELF'
f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A
ELF
  chmod +x "${probe}"
  "${probe}" 2>/dev/null || status=$?
  rm -f "${probe}"
  return "${status}"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
# The 32-bit wine is of no use where 32-bit programs cannot run, and there it
# would even break Debian's `wine` command, which then picks it; test.sh says
# that the 32-bit tests do not run.
if [[ " ${missing[*]} " == *" wine32:i386 "* ]] && ! runs_32_bit_programs; then
  missing=("${missing[@]/wine32:i386}")
  read -r -a missing <<<"${missing[*]}"
fi
((${#missing[@]})) || exit 0

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "setup: cannot run '$*': this needs root, and sudo is not installed" >&2
    exit 1
  fi
}

echo "setup: missing Debian packages: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: installing them needs administrator rights, so the next commands run with sudo"
  echo "       (cross-compilers for Brixol.exe, clang as a second compiler for it, wine to run it,"
  echo "       Xvfb and fonts for its tests)."
fi

export DEBIAN_FRONTEND=noninteractive
# The 32-bit wine runs the 32-bit Windows programs; its packages come from
# Debian's i386 architecture, installed beside the 64-bit one.
if [[ " ${missing[*]} " == *":i386 "* ]] && [ "$(dpkg --print-architecture)" = amd64 ] &&
   ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture to dpkg (for wine32:i386)"
  as_root dpkg --add-architecture i386
fi
as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
