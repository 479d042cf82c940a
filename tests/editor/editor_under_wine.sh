#!/usr/bin/env bash
# The Windows plug-in's editor under Wine on an X server of its own, opened by the edit host as the child of
# its Win32 window as a Windows host opens it: the piano is painted, a click on key 60 sends that note to the
# host and its release ends it, and the host closes the editor and ends cleanly. No synthesizer library is
# installed here, so the editor opens beside the message that says which to install, and nothing is heard.
# Usage: editor_under_wine.sh <Windows build folder>
# (WINEPREFIX and the other Wine settings come from the caller).
build=$1
source "$(dirname "$0")/../support/xserver.sh"
need_wine
ceiling=120 # Wine's first start on two busy cores
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

# The message that says which synthesizer library to install stands over the keyboard; its OK button, whose
# centre lies 58 and 28 pixels in from the box's right and bottom edges, closes it.
message_box() {
  box=
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "Virellando edit host" ] && continue
    read -r bx by bw bh < <(xdotool getwindowgeometry --shell "$id" |
      awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}')
    [ "${bw:-0}" -gt 300 ] && [ "${bh:-0}" -gt 100 ] && box=$id && return 0
  done
  return 1
}
wait_until 30 message_box || fail "no message says which synthesizer library to install"
# A box that has just appeared may not take a click yet: click OK again each second until it is gone.
last_click=0
message_closed() {
  message_box || return 0
  now=$(date +%s%N)
  if [ $((now - last_click)) -ge 1000000000 ]; then
    xdotool mousemove "$((bx + bw - 58))" "$((by + bh - 28))" click 1
    last_click=$now
  fi
  return 1
}
wait_until 30 message_closed || fail "the message did not close"

# Key 60 (C4), the 24th white key, on the keyboard the skin draws from x 77 to 727 at rows 258 to 326.
xdotool mousemove "$((ox + 369))" "$((oy + 313))" mousedown 1
wait_for '^midi 144 60 ' || fail "a click on key 60 did not play it"
xdotool mouseup 1
wait_for '^midi 128 60 ' || fail "key 60 was not released"
quit_host
echo "ok: the Windows editor opened under Wine at $ox,$oy ($colours colours) with the message about the" \
  "synthesizer library ($bw x $bh), which closed; key 60 sent and released"
