#!/usr/bin/env bash
# The toolkit under a real X server: the demo opens as the child window of a plain host window,
# its picture matches the headless rendering of the same scene pixel for pixel, a click from
# xdotool reaches the right control, and opening and closing it a hundred times leaks nothing
# (checked by LeakSanitizer when built with it). Skips (77) only when Xvfb is not installed.
demo=$1
source "$(dirname "$0")/../support/xserver.sh"
need Xvfb
start_xserver
xdotool mousemove 1000 740 # away from the window, so nothing is hovered when the picture is taken

start_app "$demo" --embed --seconds 300
wait_for '^ready$' || fail "the demo never painted"
host=$(field host) child=$(field child)
[ -n "$child" ] && [ "$child" != 0 ] || fail "no child window id"
xwininfo -id "$child" | grep -q "Parent window id: $(printf '0x%x' "$host")" ||
  xwininfo -children -id "$host" | grep -q "$(printf '0x%x' "$child")" ||
  fail "the demo's window is not a child of the host window"

matches() {
  xwd -silent -id "$child" -out "$work/shot.xwd" || fail "xwd failed"
  "$demo" --compare "$work/shot.xwd" >"$work/compare.txt"
}
wait_until 20 matches || { cat "$work/compare.txt"; fail "the screen differs from the headless picture"; }

read -r x y < <(field "control 1")
xdotool mousemove --window "$child" "$x" "$y" click 1
wait_for '^notify 1000 1$' || fail "the click did not reach the Hello button"
has_line '^notify 1000 [2-5]$' && fail "the click reached another control"
kill "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=

start_app "$demo" --cycle 100
end_app "opening and closing a hundred times"
has_line '^cycles 100$' || fail "the cycles did not finish"
echo "ok: child window $child on $DISPLAY matches the headless picture; click and 100 cycles passed"
