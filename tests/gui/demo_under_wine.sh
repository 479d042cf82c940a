#!/usr/bin/env bash
# The Windows toolkit demo under Wine. Usage: demo_under_wine.sh <folder with guidemo.exe>
exec "$(dirname "$0")/demo_under_xvfb.sh" --wine "$@"
