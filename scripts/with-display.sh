#!/usr/bin/env bash
# Runs a program that needs OpenGL on a display: a virtual X server of its own (Xvfb with a
# 1280x1024x24 screen, whose Mesa draws in software), or else the desktop's display. Exits 77,
# the test runner's "skipped", with the reason when no display can be made.
#   scripts/with-display.sh PROGRAM [ARGS...]
# Xvfb is started here rather than through xvfb-run: -displayfd lets the server take a free
# display number itself (xvfb-run -a guesses one, and two runs at once can guess the same), and
# the server is stopped however the program ends.
set -uo pipefail

export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

reason="Xvfb is not installed (Debian package xvfb)"
if command -v Xvfb >/dev/null 2>&1; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/kx-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/log" &
  server=$!
  trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"' EXIT
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  if [ -s "$work/display" ]; then
    DISPLAY=":$(head -n 1 "$work/display")" "$@"
    exit $?
  fi
  reason="Xvfb does not start: $(tail -n 3 "$work/log" | tr '\n' ' ')"
fi
if [ -n "${DISPLAY:-}" ]; then
  "$@"
  exit $?
fi
echo "SKIPPED: no display can be made for the OpenGL tests: ${reason}" >&2
exit 77
