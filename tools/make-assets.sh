#!/bin/sh
# Rebuilds the asset generator and regenerates shell/assets in place.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT INT TERM

# -ffp-contract=off keeps sample rounding identical to the CMake build.
g++ -std=c++17 -O2 -ffp-contract=off -o "$build/brixol_assetgen" "$root"/tools/assetgen/*.cpp
"$build/brixol_assetgen" "$root/shell/assets"
echo "assets written to $root/shell/assets"
