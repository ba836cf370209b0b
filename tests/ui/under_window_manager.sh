#!/bin/sh
# Runs a widget test program under a virtual display with a window manager (openbox), where
# windows get frames and title bars as on a desktop: the places kept and restored must hold
# for the outer rectangle, not only for the inside one the offscreen platform knows.
# Usage: under_window_manager.sh TEST_PROGRAM [TEST FUNCTIONS...]
set -eu
exec xvfb-run -a -s "-screen 0 1366x768x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  status=0
  QT_QPA_PLATFORM=xcb "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  exit "$status"' under_window_manager "$@"
