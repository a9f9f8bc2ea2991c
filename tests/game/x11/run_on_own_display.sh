#!/bin/bash
# Runs a test program on a display of its own: a fresh Xvfb (which picks a free display
# number itself) with Qt's X11 platform. Skipped (77) when Xvfb is not installed.
# Usage: run_on_own_display.sh PROGRAM [ARGS...]
set -u
command -v Xvfb > /dev/null 2>&1 || { echo "SKIP: Xvfb is not installed"; exit 77; }
log=$(mktemp)
coproc XVFB { exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2> "$log"; }
xvfb_pid=$XVFB_PID
trap 'kill "$xvfb_pid" 2> /dev/null; wait "$xvfb_pid" 2> /dev/null; rm -f "$log"' EXIT
# Xvfb writes the display number once it accepts clients: the read blocks until then.
if ! read -r -t 60 -u "${XVFB[0]}" display; then
  echo "FAIL: Xvfb did not start"
  cat "$log"
  exit 1
fi
DISPLAY=:$display QT_QPA_PLATFORM=xcb "$@"
