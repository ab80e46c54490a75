#!/usr/bin/env bash
# Runs one screen-reader check on its own X display and session bus.
# Usage: run.sh CHECK.py PROGRAM
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- /usr/bin/python3 "$@"
