#!/bin/sh
# Runs one command on a private Xvfb: with_xvfb.sh COMMAND ARGS...
. "$(dirname "$0")/xvfb.sh"
start_xvfb 1024x768
"$@"
