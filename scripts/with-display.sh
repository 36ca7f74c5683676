#!/usr/bin/env bash
# Runs a program that needs OpenGL on a display: a virtual X server of its own (Xvfb, whose Mesa
# draws in software), or else the desktop's display. Exits 77, the test runner's "skipped", with
# the reason when no display can be made.
#   scripts/with-display.sh PROGRAM [ARGS...]
set -uo pipefail

screen='-screen 0 1280x1024x24'
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

if command -v xvfb-run >/dev/null 2>&1; then
  # Asked once on its own first, so that a failing program is never taken for a missing display.
  if probe=$(xvfb-run -a -s "$screen" true 2>&1); then
    exec xvfb-run -a -s "$screen" "$@"
  fi
  reason="Xvfb does not start: ${probe}"
else
  reason="xvfb-run is not installed (Debian package xvfb)"
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
echo "SKIPPED: no display can be made for the OpenGL tests: ${reason}" >&2
exit 77
