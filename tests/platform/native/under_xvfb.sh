#!/usr/bin/env bash
# Runs a test program under a display server of its own.
source "$(dirname "$0")/../../support/xserver.sh"
start_xserver
"$@"
