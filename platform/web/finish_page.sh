#!/bin/sh
# The last step of the page's build, after the link: writes OUT/index.html from the page's
# source without its comments and line breaks (smaller, and the same to a browser: every line
# of its script ends a statement or an expression that goes on), then checks that the three
# files together stay within SIZE_BUDGET bytes gzipped; a larger build fails.
#   platform/web/finish_page.sh SOURCE_INDEX_HTML OUT
set -eu
SOURCE=$1
OUT=$2
SIZE_BUDGET=65536  # bytes: 64 KiB, the three files gzipped

{ sed -e 's/^[[:space:]]*//' -e '/^\/\//d' "$SOURCE" | tr '\n' ' '; echo; } >"$OUT/index.html"

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
    echo "finish_page.sh: the page is over its size budget" >&2
    exit 1
fi
