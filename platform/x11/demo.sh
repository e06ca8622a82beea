#!/bin/sh
# make demo: runs tumblix for a few seconds on a private Xvfb and keeps what it showed:
# screenshots and an animated GIF. Usage: demo.sh TUMBLIX OUTPUT-DIRECTORY
set -eu
TUMBLIX=$1
OUT=$2

WARM_UP=6      # seconds of play before the first picture, so the well has blocks
FRAMES=40      # pictures in the GIF
FRAME_GAP=0.1  # seconds between pictures
SIZE=360x324   # screen size; square cells at this shape

for tool in Xvfb xwd convert; do
    command -v "$tool" >/dev/null || { echo "make demo: $tool is not installed (make deps)"; exit 1; }
done
[ -x "$TUMBLIX" ] || { echo "make demo: $TUMBLIX is not built"; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-demo.XXXXXX")
XVFB=""
SAVER=""
cleanup() {
    [ -z "$SAVER" ] || kill "$SAVER" 2>/dev/null || true
    [ -z "$XVFB" ] || kill "$XVFB" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

Xvfb -displayfd 3 -screen 0 "${SIZE}x24" -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB=$!
for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.05
done
[ -s "$WORK/display" ] || { cat "$WORK/xvfb.log"; echo "make demo: Xvfb did not start"; exit 1; }
DISPLAY=:$(head -n 1 "$WORK/display")
export DISPLAY LIBGL_ALWAYS_SOFTWARE=1

"$TUMBLIX" --root &
SAVER=$!
echo "make demo: tumblix plays on the private display $DISPLAY for $WARM_UP seconds..."
sleep "$WARM_UP"
started=$(date +%s%N)
i=0
while [ "$i" -lt "$FRAMES" ]; do
    xwd -root -silent -out "$WORK/$(printf 'frame%03d' "$i").xwd"
    sleep "$FRAME_GAP"
    i=$((i + 1))
done
ended=$(date +%s%N)
kill -TERM "$SAVER"
wait "$SAVER" || { echo "make demo: tumblix did not end cleanly"; exit 1; }
SAVER=""

mkdir -p "$OUT"
for n in 000 013 026 039; do
    convert "$WORK/frame$n.xwd" "$OUT/tumblix-$n.png"
done
# Played back at the pace it was captured (GIF delays are in hundredths of a second).
delay=$(((ended - started) / FRAMES / 10000000))
convert -delay "$delay" -loop 0 "$WORK"/frame*.xwd -colors 64 -layers Optimize "$OUT/tumblix.gif"
echo "make demo: wrote $OUT/tumblix.gif and $(ls "$OUT"/tumblix-*.png | wc -l) screenshots"
