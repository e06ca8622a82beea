#!/bin/sh
# Runs one command on a private Xvfb: with_xvfb.sh COMMAND ARGS...
. "$(dirname "$0")/../../scripts/lib/harness.sh"
start_xvfb 1024x768
"$@"
