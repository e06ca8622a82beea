#!/bin/sh
# make install's part for Linux: the programs, the xscreensaver settings file and the manual
# page land under the prefix, and the installed program runs (and finds its Wayland program).
. "$(dirname "$0")/../lib/harness.sh"
BUILD=$1
PREFIX=$TEST_TMP/prefix

install_quietly() { cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null; }
check "cmake --install into a fresh prefix" install_quietly
runs() { "$PREFIX/bin/tumblix" --help >/dev/null; }
check "bin/tumblix runs" runs
# Only the Wayland program's usage has --background: the handover found libexec/tumblix/.
hands_over() { WAYLAND_DISPLAY=wayland-test "$PREFIX/bin/tumblix" --help | grep -q -- --background; }
check "in a Wayland session bin/tumblix hands over to the installed Wayland program" hands_over
XML=$PREFIX/share/xscreensaver/config/tumblix.xml
settings_file() {
    grep -q '<screensaver name="tumblix" _label="Tumblix" gl="yes">' "$XML" &&
        grep -q '<command arg="--root"/>' "$XML" && grep -q '</screensaver>' "$XML"
}
check "tumblix.xml names the GL saver and its --root command" settings_file
check "the manual page is in section 6" grep -q '^\.TH TUMBLIX 6' "$PREFIX/share/man/man6/tumblix.6"
finish
