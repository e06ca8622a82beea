# Headless Wayland compositors for the Wayland host's tests, on top of the shell harness
# (source scripts/lib/harness.sh first). Each compositor gets a runtime folder of its own in
# TEST_TMP and is tracked, so the harness ends it at exit.
#   start_sway [bare] sway with outputs side by side (HEADLESS-1 at 0,0; each one made later by
#                     `swaymsg create_output` to the right of it; sizes as output_sizes says), as an
#                     unprivileged user: sway refuses root. Sets SWAYSOCK. `bare`: no
#                     wallpaper client (swaybg), whose surface sway shows above every other
#                     background-layer surface; the backdrop is then sway's own grey.
#   start_weston      Weston with one 640x480 output (xdg-shell, no layer-shell), as the user.
#   start_mutter WxH [WxH ...]  mutter, headless, one virtual monitor of each size (as
#                     GNOME, no layer-shell), on a session bus of its own; answers
#                     ResetIdletime on org.gnome.Mutter.IdleMonitor.
#   start_kwin W H N  KWin's virtual backend with N outputs of W x H side by side, on a
#                     session bus of its own.
#   start_pointer H   the pointer helper H, so the seat has a pointer for `swaymsg seat - cursor`.
# Each sets XDG_RUNTIME_DIR and WAYLAND_DISPLAY for the programs under test, and unsets
# DISPLAY; start_mutter and start_kwin also DBUS_SESSION_BUS_ADDRESS. Their configuration and
# caches go to a HOME in TEST_TMP.
OUTPUT_W=640
OUTPUT_H=480
# output_sizes: the sizes of sway's HEADLESS-1, -2, ... in this order: OUTPUT_SIZES where a
# script sets it, else four of OUTPUT_W x OUTPUT_H.
output_sizes() { echo "${OUTPUT_SIZES:-$(for _ in 1 2 3 4; do printf '%sx%s ' $OUTPUT_W $OUTPUT_H; done)}"; }
# sway's wallpaper: a colour the saver never draws (its blocks never have full red and blue at
# once, and none of its pixels is grey), so a shot shows whether any of it is left uncovered.
WALLPAPER="#FF00FF"
SWAY_BACKDROP="#3F3F3F"  # what sway shows where nothing is, without a wallpaper

# Prefixed to sway's command when we are root: an unprivileged user. It execs, so the PID of
# the background command is sway's own.
AS_COMPOSITOR_USER=""
[ "$(id -u)" != 0 ] || AS_COMPOSITOR_USER="setpriv --reuid=nobody --regid=nogroup --clear-groups"

# make_runtime_dir: a runtime folder that the compositor's user owns; root's clients reach it.
make_runtime_dir() {
    chmod 711 "$TEST_TMP"
    XDG_RUNTIME_DIR=$TEST_TMP/run
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    [ "$(id -u)" != 0 ] || chown nobody:nogroup "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
    unset DISPLAY WAYLAND_SOCKET
    # Mesa's software renderer, so every machine draws the same.
    export LIBGL_ALWAYS_SOFTWARE=1
}

start_sway() {
    require sway swaymsg setpriv
    make_runtime_dir
    config=$XDG_RUNTIME_DIR/sway.conf
    [ "${1:-}" != bare ] || WALLPAPER=$SWAY_BACKDROP
    {
        echo "xwayland disable"
        [ "$WALLPAPER" = "$SWAY_BACKDROP" ] || echo "output * bg $WALLPAPER solid_color"
        x=0 n=1
        for size in $(output_sizes); do
            echo "output HEADLESS-$n resolution $size position $x 0"
            x=$((x + ${size%x*})) n=$((n + 1))
        done
    } >"$config"
    chmod 644 "$config"
    $AS_COMPOSITOR_USER env -i HOME="$XDG_RUNTIME_DIR" PATH=/usr/bin:/bin \
        XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WLR_BACKENDS=headless WLR_RENDERER=pixman \
        WLR_LIBINPUT_NO_DEVICES=1 sway -c "$config" >"$TEST_TMP/sway.log" 2>&1 &
    COMPOSITOR=$!
    track "$COMPOSITOR"
    wait_until 10 sh -c "ls '$XDG_RUNTIME_DIR'/sway-ipc.* && test -S '$XDG_RUNTIME_DIR/wayland-1'" ||
        { cat "$TEST_TMP/sway.log"; fail_now "sway did not start"; }
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*)
    WAYLAND_DISPLAY=wayland-1
    export SWAYSOCK WAYLAND_DISPLAY
}

start_weston() {
    require weston
    make_runtime_dir
    [ "$(id -u)" != 0 ] || chown root "$XDG_RUNTIME_DIR"  # Weston runs as root here
    weston --backend=headless-backend.so --use-pixman --debug --socket=wayland-weston \
        --width=$OUTPUT_W --height=$OUTPUT_H --idle-time=0 >"$TEST_TMP/weston.log" 2>&1 &
    COMPOSITOR=$!
    track "$COMPOSITOR"
    WAYLAND_DISPLAY=wayland-weston
    export WAYLAND_DISPLAY
    wait_until 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
        { cat "$TEST_TMP/weston.log"; fail_now "weston did not start"; }
}

# start_session_bus: a private session bus in the runtime folder, tracked; its PID in BUS_PID.
start_session_bus() {
    require dbus-daemon
    DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    export DBUS_SESSION_BUS_ADDRESS
    dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" 2>/dev/null &
    BUS_PID=$!
    track "$BUS_PID"
    wait_until 5 test -S "$XDG_RUNTIME_DIR/bus" || fail_now "dbus-daemon did not start"
}

# A compositor run as root (mutter and KWin are), with its files kept out of root's home.
start_as_root() {
    name=$1
    shift
    [ "$(id -u)" != 0 ] || chown root "$XDG_RUNTIME_DIR"
    start_session_bus
    mkdir -p "$TEST_TMP/home"
    HOME=$TEST_TMP/home XDG_CONFIG_HOME=$TEST_TMP/home/.config "$@" >"$TEST_TMP/$name.log" 2>&1 &
    COMPOSITOR=$!
    track "$COMPOSITOR"
    WAYLAND_DISPLAY=wayland-$name
    export WAYLAND_DISPLAY
    wait_until 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
        { tail -n 20 "$TEST_TMP/$name.log"; fail_now "$name did not start"; }
}

start_mutter() {
    require mutter
    make_runtime_dir
    monitors=""
    for size in "$@"; do
        monitors="$monitors --virtual-monitor $size"
    done
    # shellcheck disable=SC2086 # one word per option
    start_as_root mutter env MUTTER_DEBUG_RESET_IDLETIME=1 mutter --headless --wayland --no-x11 \
        $monitors --wayland-display wayland-mutter
    # Its socket is there before it takes clients; its monitors answer on the bus once it does.
    wait_until 20 gdbus call --session -d org.gnome.Mutter.DisplayConfig \
        -o /org/gnome/Mutter/DisplayConfig -m org.gnome.Mutter.DisplayConfig.GetCurrentState \
        >/dev/null 2>&1 || fail_now "mutter's monitors did not answer"
}

# KWin runs from a copy: the installed binary carries a file capability that a container may
# refuse to exec, and its Qt platform plugin wants a binary of that name.
start_kwin() {
    require kwin_wayland
    make_runtime_dir
    mkdir -p "$TEST_TMP/kwin"
    cp "$(command -v kwin_wayland)" "$TEST_TMP/kwin/kwin_wayland"
    start_as_root kwin "$TEST_TMP/kwin/kwin_wayland" --virtual --width "$1" --height "$2" \
        --output-count "$3" --socket wayland-kwin --no-lockscreen --no-global-shortcuts \
        --no-kactivities
}

start_pointer() {
    "$1" >"$TEST_TMP/pointer" 2>&1 &
    track $!
    wait_until 5 grep -q ready "$TEST_TMP/pointer" || fail_now "no virtual pointer: $(cat "$TEST_TMP/pointer")"
}

# covered FILE X Y W H: that part of the picture holds no wallpaper and is not all black.
covered() {
    area="$4x$5+$2+$3"
    wallpaper=$(convert "$1" -crop "$area" +repage -fill black +opaque "$WALLPAPER" \
        -format '%[fx:mean]' info:) &&
        drawn=$(convert "$1" -crop "$area" +repage -fill black -opaque "$WALLPAPER" \
            -format '%[fx:mean]' info:) &&
        awk -v w="$wallpaper" -v d="$drawn" 'BEGIN { exit !(w == 0 && d > 0) }'
}

# drawn_box FILE X Y W H: the box around what is drawn in that part of the picture, as
# fractions of its width and height: left, top, right, bottom.
drawn_box() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -format '%@' info: | awk -F'[x+]' -v w="$4" -v h="$5" \
        '{ printf "%.3f %.3f %.3f %.3f\n", $3 / w, $4 / h, ($3 + $1) / w, ($4 + $2) / h }'
}

# outputs_covered N FILE: a grim shot of the whole layout into FILE shows the saver alone on
# each of the first N outputs, and the same whole well filling each whatever its size: the
# box around what is drawn is the same part of every output. The saver (SAVER, while it is
# tracked: not yet waited for) is stopped for the shot, so that every output shows its last
# frame: outputs are repainted at their own times, and a piece falls a cell in a few frames.
WELL_BOX_SLACK=0.02  # of an output's width or height: a pixel's rounding at either size
outputs_covered() {
    frozen=""
    case "$TRACKED " in *" ${SAVER:-none} "*) kill -STOP "$SAVER" && frozen=$SAVER && sleep 0.1 ;; esac
    grim "$2" 2>/dev/null
    shot=$?
    [ -z "$frozen" ] || kill -CONT "$frozen"
    [ $shot = 0 ] || return 1
    x=0 first=""
    for size in $(output_sizes | cut -d' ' -f"-$1"); do
        covered "$2" $x 0 "${size%x*}" "${size#*x}" || return 1
        box=$(drawn_box "$2" $x 0 "${size%x*}" "${size#*x}") && first=${first:-$box} || return 1
        echo "$first $box" | awk -v d=$WELL_BOX_SLACK \
            '{ for (i = 1; i <= 4; i++) if ($i - $(i + 4) > d || $(i + 4) - $i > d) exit 1 }' || return 1
        x=$((x + ${size%x*}))
    done
}

# full_screen_shown LOG SIZE...: by the client's protocol log (WAYLAND_DEBUG=1 on its standard
# error), exactly outputs of these sizes have a full-screen surface (a toplevel asked full
# screen on that output, or a layer surface on it) configured to the output's size, each drawn
# a few times in buffers of that size. Writes one line per surface into $TEST_TMP/surfaces.
full_screen_shown() {
    # The time stamp in front is padded with blanks: it goes first.
    awk '{ sub(/^\[[^]]*\] */, ""); gsub(/[(),]/, " "); o = $1 == "->" ? 2 : 1
           split($o, m, "."); id = m[1]; call = m[2] }
        call == "mode" { size[id] = $(o + 2) "x" $(o + 3) }
        call == "get_xdg_surface" { surface[$(o + 3)] = $(o + 4) }
        call == "get_toplevel" { shown[surface[id]] = $(o + 3); drawn[$(o + 3)] = 0 }
        call == "set_fullscreen" { output[id] = $(o + 1) }
        call == "get_layer_surface" { shown[$(o + 4)] = $(o + 3); output[$(o + 3)] = $(o + 5) }
        call == "configure" && id ~ /toplevel/ { configured[id] = $(o + 1) "x" $(o + 2) }
        call == "configure" && id ~ /layer_surface/ { configured[id] = $(o + 2) "x" $(o + 3) }
        call == "destroy" && (id ~ /toplevel/ || id ~ /layer_surface/) { delete output[id] }
        call == "create_buffer" { buffer[$(o + 3)] = $(o + 5) "x" $(o + 6) }
        call == "attach" { t = shown[id]; drawn[t] += buffer[$(o + 1)] == size[output[t]] }
        END { for (t in output) print size[output[t]], "configured", configured[t], "drawn", drawn[t] }' \
        "$1" | sort >"$TEST_TMP/surfaces"
    shift
    [ "$(awk '$1 == $3 && $5 >= 3 { print $1 }' "$TEST_TMP/surfaces" | xargs)" = "$*" ]
}
