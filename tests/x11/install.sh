#!/bin/sh
# make install's part for Linux: the programs, the xscreensaver settings file and the manual
# pages land under the prefix, and the installed programs run (tumblix finds its Wayland one).
. "$(dirname "$0")/../../scripts/lib/harness.sh"
BUILD=$1
PREFIX=$TEST_TMP/prefix

install_quietly() { cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null; }
check "cmake --install into a fresh prefix" install_quietly
runs() {
    for program in tumblix tumblix-xscreensaver tumblix-idle; do
        "$PREFIX/bin/$program" --help >/dev/null || return 1
    done
}
check "bin/tumblix, bin/tumblix-xscreensaver and bin/tumblix-idle run" runs
# Only the Wayland program's usage has --background: the handover found libexec/tumblix/.
hands_over() { WAYLAND_DISPLAY=wayland-test "$PREFIX/bin/tumblix" --help | grep -q -- --background; }
check "in a Wayland session bin/tumblix hands over to the installed Wayland program" hands_over
XML=$PREFIX/share/xscreensaver/config/tumblix.xml
settings_file() {
    grep -q '<screensaver name="tumblix" _label="Tumblix" gl="yes">' "$XML" &&
        grep -q '<command arg="--root"/>' "$XML" && grep -q '</screensaver>' "$XML"
}
check "tumblix.xml names the GL saver and its --root command" settings_file
manuals() {
    grep -q '^\.TH TUMBLIX 6' "$PREFIX/share/man/man6/tumblix.6" &&
        grep -q '^\.TH TUMBLIX-XSCREENSAVER 1' "$PREFIX/share/man/man1/tumblix-xscreensaver.1" &&
        grep -q '^\.TH TUMBLIX-IDLE 6' "$PREFIX/share/man/man6/tumblix-idle.6"
}
check "the manual pages are in sections 6 and 1" manuals
finish
