#!/usr/bin/env bash
# Cross-builds the Windows game with mingw-w64 and packs it: the run folder
# (build-windows/run), a portable zip and an NSIS installer
# (build-windows/package). The data and the icon come from the native build,
# whose generators run on this machine.
# usage: scripts/build-windows.sh [NATIVE_BUILD] [WINDOWS_BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=$(cd "${1:-$root/build}" && pwd)
out=${2:-$root/build-windows}
jobs=${JOBS:-2}
mkdir -p "$out/package"
out=$(cd "$out" && pwd)

version=$(sed -n 's/^project(glumbo3d VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

# The icon: the game's life picture, as a PNG inside an .ico.
python3 - "$native/icons/glumbo3d.png" "$out/glumbo3d.ico" <<'PY'
import struct, sys
png = open(sys.argv[1], "rb").read()
width, height = struct.unpack(">II", png[16:24])
entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), 22)
open(sys.argv[2], "wb").write(struct.pack("<HHH", 0, 1, 1) + entry + png)
PY

cmake -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DGLUMBO_WERROR=ON -DGLUMBO_BENCH=OFF -DGLUMBO_ICON_FILE="$out/glumbo3d.ico" \
  -DGLUMBO_NATIVE_RUN_DIR="$native/run" >/dev/null
cmake --build "$out" -j"$jobs"
# glumbo3d.exe, then the tests' executable; --target all leaves gtest's out.
cmake --build "$out" -j"$jobs" --target glumbo-win32-tests

# The README for Windows players, with Windows' line ends.
sed 's/$/\r/' "$root/packaging/windows/README.txt" >"$out/README.txt"

# The portable zip: the game, its data and the README in one folder.
stage="$out/package/Glumbo3D"
rm -rf "$stage" "$out/package/glumbo3d-$version-windows.zip"
mkdir -p "$stage"
cp "$out/run/glumbo3d.exe" "$out/README.txt" "$stage/"
cp -r "$out/run/pantallas" "$out/run/texturas" "$out/run/sonidos" "$stage/"
(cd "$out/package" && zip -qr "glumbo3d-$version-windows.zip" Glumbo3D)
rm -rf "$stage"

# The installer; its version information takes four numbers.
version4=$(echo "$version.0.0.0" | cut -d. -f1-4)
makensis -V2 -DVERSION="$version" -DVERSION4="$version4" -DRUNDIR="$out/run" -DICON="$out/glumbo3d.ico" \
  -DREADME="$out/README.txt" -DOUTFILE="$out/package/glumbo3d-$version-setup.exe" \
  "$root/packaging/windows/glumbo3d.nsi"
ls -l "$out/package"
