#!/usr/bin/env bash
# The platform stays behind src/platform: no other file includes the headers
# of Windows, SDL, FreeType or fontconfig (nor, in the game and its tools,
# libpng), or asks which platform it is built for.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
status=0
headers='#[[:space:]]*include[[:space:]]*[<"](windows|winuser|wingdi|mmsystem|xinput|shlobj|SDL[^>"]*|ft2build|freetype/[^>"]*|fontconfig/[^>"]*)\.h[>"]'
png='#[[:space:]]*include[[:space:]]*[<"]png\.h[>"]'
platform_tests='#[[:space:]]*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|WIN32|__MINGW32__|__MINGW64__|_MSC_VER|__linux__|__unix__|__APPLE__)\b'
check() {
  local pattern=$1
  shift
  found=$(grep -rnE "$pattern" "$@" --include='*.cpp' --include='*.h' | grep -v '^src/platform/' || true)
  if [ -n "$found" ]; then
    echo "platform code outside src/platform:"
    echo "$found"
    status=1
  fi
}
check "$headers" src tools tests bench
check "$platform_tests" src tools tests bench
check "$png" src tools bench
exit $status
