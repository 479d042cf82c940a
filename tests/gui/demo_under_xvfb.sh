#!/usr/bin/env bash
# The toolkit under a real X server: the demo opens as the child window of a plain host window,
# its picture matches the headless rendering of the same scene pixel for pixel, a click from
# xdotool reaches the right control, and opening and closing it a hundred times leaks nothing
# (checked by LeakSanitizer when built with it). Skips (77) only when Xvfb is not installed.
set -u
[ -n "${GUI_TEST_TRACE:-}" ] && set -x
demo=$1
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed: skipped"; exit 77; }

work=$(mktemp -d)
xvfb_pid=
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out.txt" ] && sed 's/^/  demo: /' "$work/out.txt"; exit 1; }

# Xvfb picks a free display number itself and writes it to the descriptor given. Without -noreset it would
# reset, refusing connections for a moment, each time its last client leaves (after every xdpyinfo or xdotool).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb chose no display"
export DISPLAY=":$(head -n1 "$work/display")"
answered=no
for _ in $(seq 1200); do xdpyinfo >/dev/null 2>&1 && { answered=yes; break; }; sleep 0.05; done
[ "$answered" = yes ] || fail "Xvfb did not answer on $DISPLAY"

# The pointer away from the window, so nothing is hovered when the picture is taken.
xdotool mousemove 1000 740

"$demo" --embed --seconds 300 >"$work/out.txt" 2>"$work/err.txt" &
demo_pid=$!
# Ceilings of a minute: a sanitizer build on two busy cores may take that long, a quiet machine never does.
wait_for() {
  for _ in $(seq 2400); do grep -q "$1" "$work/out.txt" && return 0; sleep 0.025; done
  return 1
}
wait_for '^ready$' || fail "the demo never painted"
child=$(awk '/^child /{print $2}' "$work/out.txt")
[ -n "$child" ] && [ "$child" != 0 ] || fail "no child window id"
xwininfo -id "$child" | grep -q "Parent window id: $(printf '0x%x' "$(awk '/^host /{print $2}' "$work/out.txt")")" ||
  xwininfo -children -id "$(awk '/^host /{print $2}' "$work/out.txt")" | grep -q "$(printf '0x%x' "$child")" ||
  fail "the demo's window is not a child of the host window"

matched=no
for _ in $(seq 200); do
  xwd -silent -id "$child" -out "$work/shot.xwd" || fail "xwd failed"
  if "$demo" --compare "$work/shot.xwd" >"$work/compare.txt"; then matched=yes; break; fi
  sleep 0.1
done
[ "$matched" = yes ] || { cat "$work/compare.txt"; fail "the screen differs from the headless picture"; }

read -r _ id x y < <(grep '^control 1 ' "$work/out.txt")
xdotool mousemove --window "$child" "$x" "$y" click 1
wait_for "^notify 1000 $id\$" || fail "the click did not reach the Hello button"
grep -q '^notify 1000 [2-5]$' "$work/out.txt" && fail "the click reached another control"
kill "$demo_pid" 2>/dev/null
wait "$demo_pid" 2>/dev/null
demo_pid=

"$demo" --cycle 100 >"$work/cycles.txt" 2>"$work/cycles-err.txt" || { cat "$work/cycles-err.txt"; fail "open and close a hundred times"; }
grep -q '^cycles 100$' "$work/cycles.txt" || fail "the cycles did not finish"
echo "ok: child window $child on $DISPLAY matches the headless picture; click and 100 cycles passed"
