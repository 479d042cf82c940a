#!/usr/bin/env bash
# The Windows plug-in's editor under Wine on an X server of its own, opened by the edit host as the child of
# its Win32 window as a Windows host opens it: the piano is painted, a click on key 60 plays that
# note and its release ends it, and the host closes the editor and ends cleanly.
# Usage: editor_under_wine.sh <Windows build folder>
# (WINEPREFIX and the other Wine settings come from the caller).
set -u
build=$1
work=$(mktemp -d)
xvfb_pid=
host_pid=
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null
  wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out.txt" ] && tr -d '\r' <"$work/out.txt" | sed 's/^/  host: /'; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb chose no display"
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 1200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"

cd "$build" || fail "no folder $build"
: >"$work/commands"
wine tools/edithost/virellando-edithost.exe bundle/Virellando/Virellando.dll --seconds 300 \
  --commands "$work/commands" >"$work/out.txt" 2>"$work/err.txt" &
host_pid=$!
# Ceilings of two minutes: Wine's first start and the sound bank's loading on two busy cores.
wait_for() {
  for _ in $(seq 4800); do tr -d '\r' <"$work/out.txt" | grep -q "$1" && return 0; sleep 0.025; done
  return 1
}
wait_for '^ready$' || fail "the editor never opened"
read -r ox oy < <(tr -d '\r' <"$work/out.txt" | awk '$1 == "origin" { print $2, $3; exit }')
[ -n "$ox" ] || fail "no screen origin"

# The piano picture has thousands of colours; an editor that painted nothing leaves one.
painted=no
for _ in $(seq 100); do
  colours=$(xwd -root -silent | convert xwd:- -crop "800x576+$ox+$oy" -format '%k' info:)
  [ "${colours:-0}" -gt 1000 ] && { painted=yes; break; }
  sleep 0.1
done
[ "$painted" = yes ] || fail "the editor's window is not painted ($colours colours)"

# Key 60 (C4), the 24th white key, on the keyboard the skin draws from x 77 to 727 at rows 258 to 326.
xdotool mousemove "$((ox + 369))" "$((oy + 313))" mousedown 1
wait_for '^midi 144 60 ' || fail "a click on key 60 did not play it"
wait_for '^heard 60 ' || fail "key 60 was not heard"
xdotool mouseup 1
wait_for '^midi 128 60 ' || fail "key 60 was not released"

echo quit >>"$work/commands"
wait "$host_pid" || fail "the host ended with status $?"
host_pid=
tr -d '\r' <"$work/out.txt" | grep -q '^blocks ' || fail "the host did not finish"
echo "ok: the Windows editor opened under Wine at $ox,$oy ($colours colours), key 60 played and released"
