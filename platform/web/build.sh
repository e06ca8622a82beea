#!/bin/sh
# Builds the browser page: OUT/index.html, OUT/tumblix.js and OUT/tumblix.wasm, the window
# procedure of saver/ with the game on the web host, by Emscripten into WebGL 1.
#   platform/web/build.sh OUT
# The same sources give the same bytes: every path handed to the compiler is relative to the
# source folder, so the output does not depend on where the clone is. The three files
# together must stay within SIZE_BUDGET bytes gzipped; a larger build fails. A failed build
# leaves none of the three files behind, so that the page's tests cannot pass on an older one.
set -eu
OUT=$1
SIZE_BUDGET=65536  # bytes: 64 KiB, the three files gzipped
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
remove_page() { rm -f "$OUT/index.html" "$OUT/tumblix.js" "$OUT/tumblix.wasm"; }
remove_page
trap remove_page EXIT
cd "$(dirname "$0")/../.."

# Debian's Emscripten finds its JavaScript tools among Debian's node modules.
NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
export NODE_PATH

# LEGACY_GL_EMULATION with GL_FFP_ONLY turns the saver's OpenGL 1.1 immediate mode into
# WebGL 1. The page loads the WebAssembly itself (index.html) and needs neither files nor
# exceptions; the Page* and Tumblix* entry points are exported by EMSCRIPTEN_KEEPALIVE.
em++ -std=c++17 -O2 -DNDEBUG -fno-exceptions -fno-rtti \
    -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion -Werror \
    -Iplatform/web/include -Iplatform/common/include -I. \
    game/pieces.cpp game/moves.cpp game/gravity.cpp game/driver.cpp game/check.cpp \
    autopilot/TumblixAI.cpp saver/main.cpp \
    platform/common/closing.cpp platform/common/timers.cpp platform/common/stand_in_user32.cpp \
    -DTUMBLIX_HOST_HEADER='"platform/web/host.h"' \
    platform/web/loop.cpp platform/web/page.cpp platform/web/tumblix.cpp \
    platform/web/user32.cpp platform/web/wgl.cpp \
    -sLEGACY_GL_EMULATION=1 -sGL_FFP_ONLY=1 -sENVIRONMENT=web -sFILESYSTEM=0 \
    -sSUPPORT_ERRNO=0 -sMALLOC=emmalloc \
    -o "$OUT/tumblix.js"
# The page without its comments and line breaks: smaller, and the same to a browser (every
# line of its script ends a statement or an expression that goes on).
{ sed -e 's/^[[:space:]]*//' -e '/^\/\//d' platform/web/index.html | tr '\n' ' '; echo; } >"$OUT/index.html"

raw=0
packed=0
for file in index.html tumblix.js tumblix.wasm; do
    bytes=$(wc -c <"$OUT/$file")
    gzipped=$(gzip -9 -n <"$OUT/$file" | wc -c)
    printf '%-13s %7d bytes, %6d gzipped\n' "$file" "$bytes" "$gzipped"
    raw=$((raw + bytes))
    packed=$((packed + gzipped))
done
printf '%-13s %7d bytes, %6d gzipped (at most %d)\n' "together" "$raw" "$packed" "$SIZE_BUDGET"
if [ "$packed" -gt "$SIZE_BUDGET" ]; then
    echo "build.sh: the page is over its size budget" >&2
    exit 1
fi
trap - EXIT
