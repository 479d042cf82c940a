#!/usr/bin/env bash
# The toolkit on Windows, under Wine on an X server: the Windows demo opens as the child window of a plain
# Win32 host window, the screen shows exactly its headless rendering (same build, so the same text and
# images), a click from xdotool reaches the right control, a click on the reverb button opens the pop-up
# menu whose modal loop takes the click on its first item, the Quit button ends the program, and opening
# and closing the window a hundred times works. Usage: demo_under_wine.sh <folder with guidemo.exe>
# (WINEPREFIX and the other Wine settings come from the caller).
set -u
folder=$1
work=$(mktemp -d)
xvfb_pid=
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out.txt" ] && tr -d '\r' <"$work/out.txt" | sed 's/^/  demo: /'; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb chose no display"
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 1200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"
xdotool mousemove 1000 740 # away from the window, so nothing is hovered when the picture is taken

cd "$folder" || fail "no folder $folder"
wine guidemo.exe --embed --seconds 300 >"$work/out.txt" 2>"$work/err.txt" &
demo_pid=$!
# Ceilings of two minutes: Wine's first start in a fresh prefix on two busy cores is slow, never that slow.
wait_for() {
  for _ in $(seq 4800); do tr -d '\r' <"$work/out.txt" | grep -q "$1" && return 0; sleep 0.025; done
  return 1
}
field() { tr -d '\r' <"$work/out.txt" | awk -v key="$1" '$1 == key { print $2, $3, $4; exit }'; }
wait_for '^ready$' || fail "the demo never painted"
read -r ox oy _ < <(field origin)
[ -n "$ox" ] || fail "no screen origin"

matched=no
for _ in $(seq 100); do
  xwd -root -silent -out "$work/shot.xwd" || fail "xwd failed"
  if wine guidemo.exe --compare "$work/shot.xwd" "$ox" "$oy" >"$work/compare.txt" 2>&1; then
    matched=yes
    break
  fi
  sleep 0.1
done
[ "$matched" = yes ] || { tr -d '\r' <"$work/compare.txt"; fail "the screen differs from the headless picture"; }

click() { xdotool mousemove "$((ox + $1))" "$((oy + $2))" click 1; }
read -r _ x y < <(field control)
click "$x" "$y"
wait_for '^notify 1000 1$' || fail "the click did not reach the Hello button"
tr -d '\r' <"$work/out.txt" | grep -q '^notify 1000 [2-5]$' && fail "the click reached another control"

# The menu opens below the reverb button (28 pixels high, its centre printed): its first item is just below.
read -r x y < <(tr -d '\r' <"$work/out.txt" | awk '$1 == "control" && $2 == 2 { print $3, $4 }')
click "$x" "$y"
wait_for '^notify 1000 2$' || fail "the click did not reach the reverb button"
# The pop-ups' X window is named after their Win32 title; the click goes once the menu is on the screen.
for _ in $(seq 4800); do xdotool search --onlyvisible --name TW_Tooltip >/dev/null 2>&1 && break; sleep 0.025; done
click "$((x - 8))" "$((y + 22))"
wait_for '^menu 1$' || fail "the menu did not take the click on its first item"

read -r x y < <(tr -d '\r' <"$work/out.txt" | awk '$1 == "control" && $2 == 4 { print $3, $4 }')
click "$x" "$y"
for _ in $(seq 4800); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.025; done
kill -0 "$demo_pid" 2>/dev/null && fail "the Quit button did not end the demo"
demo_pid=

wine guidemo.exe --cycle 100 >"$work/cycles.txt" 2>&1 || { tr -d '\r' <"$work/cycles.txt"; fail "open and close a hundred times"; }
tr -d '\r' <"$work/cycles.txt" | grep -q '^cycles 100$' || fail "the cycles did not finish"
echo "ok: the Windows demo on $DISPLAY matches its headless picture at $ox,$oy; clicks, menu, quit and 100 cycles passed"
