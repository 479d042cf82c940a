#!/usr/bin/env bash
# The toolkit on Windows, under Wine on an X server: the Windows demo opens as the child window of a plain
# Win32 host window, the screen shows exactly its headless rendering (same build, so the same text and
# images), a click from xdotool reaches the right control, a click on the reverb button opens the pop-up
# menu whose modal loop takes the click on its first item, the Quit button ends the program, and opening
# and closing the window a hundred times works. Usage: demo_under_wine.sh <folder with guidemo.exe>
# (WINEPREFIX and the other Wine settings come from the caller).
folder=$1
source "$(dirname "$0")/../support/xserver.sh"
need_wine
ceiling=120 # Wine's first start in a fresh prefix on two busy cores is slow, never that slow
start_xserver
xdotool mousemove 1000 740 # away from the window, so nothing is hovered when the picture is taken

cd "$folder" || fail "no folder $folder"
start_app wine guidemo.exe --embed --seconds 300
wait_for '^ready$' || fail "the demo never painted"
read -r ox oy < <(field origin)
[ -n "$ox" ] || fail "no screen origin"

matches() {
  xwd -root -silent -out "$work/shot.xwd" || fail "xwd failed"
  wine guidemo.exe --compare "$work/shot.xwd" "$ox" "$oy" >"$work/compare.txt" 2>&1
}
wait_until 10 matches || { tr -d '\r' <"$work/compare.txt"; fail "the screen differs from the headless picture"; }

click() { xdotool mousemove "$((ox + $1))" "$((oy + $2))" click 1; }
read -r x y < <(field "control 1")
click "$x" "$y"
wait_for '^notify 1000 1$' || fail "the click did not reach the Hello button"
has_line '^notify 1000 [2-5]$' && fail "the click reached another control"

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

start_app wine guidemo.exe --cycle 100
end_app "opening and closing a hundred times"
has_line '^cycles 100$' || fail "the cycles did not finish"
echo "ok: the Windows demo on $DISPLAY matches its headless picture at $ox,$oy; clicks, menu, quit and 100 cycles passed"
