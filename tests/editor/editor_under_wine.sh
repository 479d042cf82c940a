#!/usr/bin/env bash
# The Windows plug-in's editor under Wine on an X server of its own, opened by the edit host as the child of
# its Win32 window as a Windows host opens it: the piano is painted, a click on key 60 plays that
# note and its release ends it, and the host closes the editor and ends cleanly.
# Usage: editor_under_wine.sh <Windows build folder>
# (WINEPREFIX and the other Wine settings come from the caller).
build=$1
source "$(dirname "$0")/../support/xserver.sh"
need_wine
ceiling=120 # Wine's first start and the sound bank's loading on two busy cores
start_xserver

cd "$build" || fail "no folder $build"
: >"$work/commands"
start_app wine tools/edithost/virellando-edithost.exe bundle/Virellando/Virellando.dll --seconds 300 \
  --commands "$work/commands"
wait_for '^ready$' || fail "the editor never opened"
read -r ox oy < <(field origin)
[ -n "$ox" ] || fail "no screen origin"

# The piano picture has thousands of colours; an editor that painted nothing leaves one.
painted() {
  colours=$(xwd -root -silent | convert xwd:- -crop "800x576+$ox+$oy" -format '%k' info:)
  [ "${colours:-0}" -gt 1000 ]
}
wait_until 10 painted || fail "the editor's window is not painted ($colours colours)"

# Key 60 (C4), the 24th white key, on the keyboard the skin draws from x 77 to 727 at rows 258 to 326.
xdotool mousemove "$((ox + 369))" "$((oy + 313))" mousedown 1
wait_for '^midi 144 60 ' || fail "a click on key 60 did not play it"
wait_for '^heard 60 ' || fail "key 60 was not heard"
xdotool mouseup 1
wait_for '^midi 128 60 ' || fail "key 60 was not released"
quit_host
echo "ok: the Windows editor opened under Wine at $ox,$oy ($colours colours), key 60 played and released"
