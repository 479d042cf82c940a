#!/usr/bin/env bash
# The toolkit under a real X server, natively or under Wine: the demo opens as the child window of a plain
# host window, the screen shows exactly its headless rendering (the same build, so the same text and
# images), a click from xdotool reaches the right control, and opening and closing the window a hundred
# times works and leaks nothing (LeakSanitizer checks that in sanitizer builds). Under Wine a click on the
# reverb button also opens the pop-up menu, whose modal loop takes the click on its first item, and the
# Quit button ends the program. Skips (77) only when Xvfb or Wine is not installed. Usage: demo_under_xvfb.sh
# PROGRAM, or --wine FOLDER-WITH-guidemo.exe (WINEPREFIX and the other Wine settings come from the caller).
source "$(dirname "$0")/../support/xserver.sh"
if [ "$1" = --wine ]; then
  need_wine
  ceiling=120 # Wine's first start in a fresh prefix on two busy cores is slow, never that slow
  cd "$2" || fail "no folder $2"
  demo=(wine guidemo.exe)
else
  need Xvfb
  demo=("$1")
fi
start_xserver
xdotool mousemove 1000 740 # away from the window, so nothing is hovered when the picture is taken

start_app "${demo[@]}" --embed --seconds 300
wait_for '^ready$' || fail "the demo never painted"
read -r ox oy < <(field origin)
[ -n "$ox" ] || fail "no screen origin"
if [ -z "$wine" ]; then
  host=$(field host) child=$(field child)
  [ -n "$child" ] && [ "$child" != 0 ] || fail "no child window id"
  xwininfo -id "$child" | grep -q "Parent window id: $(printf '0x%x' "$host")" ||
    xwininfo -children -id "$host" | grep -q "$(printf '0x%x' "$child")" ||
    fail "the demo's window is not a child of the host window"
fi

matches() {
  xwd -root -silent -out "$work/shot.xwd" || fail "xwd failed"
  "${demo[@]}" --compare "$work/shot.xwd" "$ox" "$oy" >"$work/compare.txt" 2>&1
}
wait_until 20 matches || { tr -d '\r' <"$work/compare.txt"; fail "the screen differs from the headless picture"; }

click() { xdotool mousemove "$((ox + $1))" "$((oy + $2))" click 1; }
read -r x y < <(field "control 1")
click "$x" "$y"
wait_for '^notify 1000 1$' || fail "the click did not reach the Hello button"
has_line '^notify 1000 [2-5]$' && fail "the click reached another control"

if [ -n "$wine" ]; then
  # The menu opens below the reverb button (28 pixels high, its centre printed): its first item is just below.
  read -r x y < <(field "control 2")
  click "$x" "$y"
  wait_for '^notify 1000 2$' || fail "the click did not reach the reverb button"
  # The pop-ups' X window is named after their Win32 title; the click goes once the menu is on the screen.
  wait_until 120 xdotool search --onlyvisible --name TW_Tooltip >/dev/null 2>&1
  click "$((x - 8))" "$((y + 22))"
  wait_for '^menu 1$' || fail "the menu did not take the click on its first item"
  read -r x y < <(field "control 4")
  click "$x" "$y"
  wait_until 120 app_ended || fail "the Quit button did not end the demo"
  end_app "the demo after Quit"
else
  kill "$app_pid" && wait "$app_pid" 2>/dev/null
  app_pid=
fi

start_app "${demo[@]}" --cycle 100
end_app "opening and closing a hundred times"
has_line '^cycles 100$' || fail "the cycles did not finish"
echo "ok: the demo on $DISPLAY matches its headless picture at $ox,$oy; clicks${wine:+, menu, quit} and 100 cycles passed"
