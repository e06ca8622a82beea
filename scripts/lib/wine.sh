# Wine set-up of the Wine tests, the Wine soak and `make bench`, over the shared harness
# (harness.sh beside it): the private Wine prefix, quiet Wine, screenshots and the saver's
# full-screen start. Source it, from bash, with these arguments:
#   <Tumblix.scr> <tumblix_probe.exe> <tumblix_shot_check> <wine prefix folder>
SCR=$1
PROBE=$2
SHOT_CHECK=$3
export WINEPREFIX=$4

. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
SCREEN_W=640
SCREEN_H=480

# Quiet, and no Mono, Gecko or desktop-menu helpers: they would prompt, download or write
# outside the prefix.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export HOME=$TEST_TMP/home
export XDG_CACHE_HOME=$TEST_TMP/home/.cache
export MESA_SHADER_CACHE_DISABLE=true
mkdir -p "$HOME"

# The prefix is this suite's own; at exit its server ends the helper processes Wine started
# (explorer, services) before the display goes away.
before_display_ends() {
    if [ -n "$XVFB_PID" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
}

require Xvfb wine wineserver xdotool xwininfo import
for file in "$SCR" "$PROBE"; do
    [ -f "$file" ] || fail_now "$file is missing: build the Windows side first (make windows)"
done

# make_wine_prefix: makes the private prefix once (about ten seconds); kept while it is whole.
make_wine_prefix() {
    if [ -f "$WINEPREFIX/.tumblix-ready" ] && [ -f "$WINEPREFIX/system.reg" ]; then
        echo "  reusing $WINEPREFIX"
        return 0
    fi
    case "$WINEPREFIX" in
        */wineprefix) rm -rf "$WINEPREFIX" ;;  # only a folder this suite names
        *) echo "  refusing to replace $WINEPREFIX"; return 1 ;;
    esac
    started=$(now_ms)
    wineboot -i >"$TEST_TMP/wineboot.log" 2>&1 || { cat "$TEST_TMP/wineboot.log"; return 1; }
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { cat "$TEST_TMP/wineboot.log"; return 1; }
    echo "  made in $(($(now_ms) - started)) ms"
    touch "$WINEPREFIX/.tumblix-ready"
}

# A path as Windows programs under Wine see it (drive Z: is the Unix root).
win_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# shoot FILE [WINDOW]: a screenshot of the screen, or of one X window, as PPM.
shoot() { import -window "${2:-root}" -depth 8 "ppm:$1" 2>/dev/null; }

# The saver's full-screen window as X sees it (Wine names it after the window title).
saver_window() {
    id=$(xdotool search --onlyvisible --name '^Tumblix$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}

# A Wine server that has just started spends a second or two starting its own services
# (explorer, devices) beside the first program; on a real PC they are running long before a
# saver starts. A short plain program brings them up, so that timings measure the saver.
warm_wine() { wine "$PROBE" idle 100 >/dev/null 2>&1; }

# start_fullscreen [CHECK [RECT...]]: runs the saver with /s, pointer in the middle of the
# screen, all it prints in $TEST_TMP/err; waits for its window and a first picture that passes
# CHECK of shot_check.cpp (playfield) over the rectangles (the screen). Sets SAVER (the PID) and
# DRAWN_MS (time from launch to it).
start_fullscreen() {
    warm_wine
    xdotool mousemove $((SCREEN_W / 2)) $((SCREEN_H / 2))
    launched=$(now_ms)
    wine "$SCR" /s >"$TEST_TMP/err" 2>&1 &
    SAVER=$!
    track "$SAVER"
    wait_until 20 saver_window || { echo "  no saver window"; return 1; }
    window_ms=$(($(now_ms) - launched))
    for _ in $(seq 100); do
        shoot "$TEST_TMP/first.ppm"
        if "$SHOT_CHECK" "${1:-playfield}" "$TEST_TMP/first.ppm" ${2:-0 0 $SCREEN_W $SCREEN_H} >"$TEST_TMP/first.txt"; then
            DRAWN_MS=$(($(now_ms) - launched))
            echo "  window after $window_ms ms, playfield after $DRAWN_MS ms: $(cat "$TEST_TMP/first.txt")"
            return 0
        fi
        alive "$SAVER" || break
        sleep 0.1
    done
    echo "  no playfield: $(cat "$TEST_TMP/first.txt")"
    return 1
}

still_running() { alive "$SAVER" || { echo "  the saver ended"; return 1; }; }
