#!/bin/sh
# Runs a widget test program under a virtual display with a window manager (openbox), where
# windows get frames and title bars as on a desktop: the places kept and restored must hold
# for the outer rectangle, not only for the inside one the offscreen platform knows.
# Usage: under_window_manager.sh TEST_PROGRAM [TEST FUNCTIONS...]
# Exits 77 (a skipped test for ctest), saying why, when xvfb-run or openbox is missing.
set -eu
for tool in xvfb-run openbox; do
  if ! command -v "$tool" > /dev/null 2>&1; then
    echo "SKIPPED: $tool is missing (scripts/deps.sh installs it); windows are not tried under a window manager"
    exit 77
  fi
done
exec xvfb-run -a -s "-screen 0 1366x768x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  # The manager is ready once it names itself on the root window; without xprop, a moment.
  if command -v xprop > /dev/null 2>&1; then
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
      tries=$((tries + 1))
      [ "$tries" -lt 100 ] || break
      sleep 0.1
    done
  else
    sleep 2
  fi
  status=0
  QT_QPA_PLATFORM=xcb "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  exit "$status"' under_window_manager "$@"
