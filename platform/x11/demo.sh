#!/bin/sh
# make demo: runs tumblix for a few seconds on a private Xvfb and keeps what it showed:
# screenshots and an animated GIF. Usage: demo.sh TUMBLIX OUTPUT-DIRECTORY
. "$(dirname "$0")/../../scripts/lib/harness.sh"
TUMBLIX=$1
OUT=$2

WARM_UP=6      # seconds of play before the first picture, so the well has blocks
FRAMES=40      # pictures in the GIF
FRAME_GAP=0.1  # seconds between pictures

require xwd convert
[ -x "$TUMBLIX" ] || fail_now "$TUMBLIX is not built"
start_xvfb 360x324  # square cells at this shape

launch "$TUMBLIX" --root
echo "make demo: tumblix plays on the private display $DISPLAY for $WARM_UP seconds..."
sleep "$WARM_UP"
started=$(date +%s%N)
i=0
while [ "$i" -lt "$FRAMES" ]; do
    xwd -root -silent -out "$TEST_TMP/$(printf 'frame%03d' "$i").xwd" || fail_now "xwd failed"
    sleep "$FRAME_GAP"
    i=$((i + 1))
done
ended=$(date +%s%N)
kill -TERM "$SAVER"
wait_exit "$SAVER" 5
[ "$STATUS" = 0 ] || { cat "$TEST_TMP/err"; fail_now "tumblix did not end cleanly"; }

mkdir -p "$OUT" || exit 1
for n in 000 013 026 039; do
    convert "$TEST_TMP/frame$n.xwd" "$OUT/tumblix-$n.png" || fail_now "convert failed"
done
# Played back at the pace it was captured (GIF delays are in hundredths of a second).
delay=$(((ended - started) / FRAMES / 10000000))
convert -delay "$delay" -loop 0 "$TEST_TMP"/frame*.xwd -colors 64 -layers Optimize "$OUT/tumblix.gif" ||
    fail_now "convert failed"
echo "make demo: wrote $OUT/tumblix.gif and $(ls "$OUT"/tumblix-*.png | wc -l) screenshots"
