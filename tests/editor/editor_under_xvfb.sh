#!/usr/bin/env bash
# The built plug-in's editor in a small X11 host under a display server of its own: a click on a key
# sounds that note and lights it, a glissando plays the keys crossed in order, the lid buttons change
# the picture and parameter 0, the tone dialog's bass slider moves parameter 8, the editor opens and
# closes fifty times while audio renders (leaks are caught by LeakSanitizer in sanitizer builds), the
# editor also runs with every call on a thread of its own and survives the instance ending while it
# is open, and the message about a missing sound bank neither holds up start-up nor the host's end.
# Skips (77) only when Xvfb or xdotool is not installed.
set -u
[ -n "${EDITOR_TEST_TRACE:-}" ] && set -x
edithost=$1
plugin=$2
strings=$3
testskin=$4
writebank=$5
for tool in Xvfb xdotool xwd xdpyinfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: skipped"; exit 77; }
done
convert=/usr/bin/convert

work=$(mktemp -d)
xvfb_pid=
host_pid=
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$work/out.txt" ] && sed 's/^/  host: /' "$work/out.txt"
  [ -f "$work/plug/Virellando-Log.txt" ] && grep -i -E "splash|Completed|Shutting" "$work/plug/Virellando-Log.txt" | sed "s/^/  log: /"
  [ -f "$work/err.txt" ] && sed 's/^/  host stderr: /' "$work/err.txt" | head -40
  [ -s "$work/xvfb.log" ] && sed 's/^/  Xvfb: /' "$work/xvfb.log" | tail -20
  exit 1
}

# The plug-in folder: the module, its texts, a bank of tuned keys and the test skin.
mkdir -p "$work/plug"
cp "$plugin" "$work/plug/Virellando.so"
cp "$strings" "$work/plug/Virellando.INI"
"$writebank" "$work/plug/Virellando.DAT" || fail "no test bank"
"$testskin" "$work/plug/Virellando.SKIN" || fail "no test skin"

# No reset when the last client leaves: a reset refuses connections for a moment, and the splash
# closing its connection just as the host opens one is exactly that moment. A screen large enough that
# the splash, centred while the bank loads, never covers the host's window at the top left, where the
# clicks land.
Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb chose no display"
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 1200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"

# Output since the last mark: the host keeps appending to its file.
since=0
mark() { since=$(wc -l <"$work/out.txt"); }
recent() { tail -n +$((since + 1)) "$work/out.txt"; }
# Waits for a line, 10 s at most unless a longer ceiling (in seconds) is given.
wait_for() {
  for _ in $(seq $((${2:-10} * 40))); do recent | grep -q "$1" && return 0; sleep 0.025; done
  return 1
}
start_host() {
  : >"$work/commands"
  since=0
  "$edithost" "$work/plug/Virellando.so" --seconds 400 --commands "$work/commands" "$@" \
    >"$work/out.txt" 2>"$work/err.txt" &
  host_pid=$!
  wait_for '^ready$' 60 || fail "the editor never opened"
  host=$(awk '/^host /{print $2}' "$work/out.txt")
  child=$(xwininfo -children -id "$host" | awk '/^ +0x/{print $1; exit}')
  [ -n "$child" ] || fail "the editor made no child window in the host's window"
}
end_host() {
  echo "${1:-quit}" >>"$work/commands"
  wait "$host_pid" || fail "the host ended with status $?"
  host_pid=
  grep -q '^blocks ' "$work/out.txt" || fail "the host did not finish"
}
pixel() { xwd -silent -id "$child" -out "$work/shot.xwd" && "$convert" "$work/shot.xwd" -format "%[pixel:p{$1,$2}]" info:; }
# Waits until the pixel matches a pattern (or, with "not", stops matching it); 20 s at most.
wait_pixel() {
  local x=$1 y=$2 pattern=$3 negate=${4:-}
  for _ in $(seq 100); do
    case "$(pixel "$x" "$y")" in
      *$pattern*) [ -z "$negate" ] && return 0 ;;
      *) [ -n "$negate" ] && return 0 ;;
    esac
    sleep 0.2
  done
  return 1
}
# Middle of a key's lower part (white keys) as the test skin draws them: 12 pixels a white key,
# keyboard at (76, 256), lower part around row 57.
white_x() { echo $((76 + $1 * 12 + 5)); }

start_host
# C4 (key 60) is white key 23 from the left.
x=$(white_x 23)
xdotool mousemove --window "$host" "$x" 313 mousedown 1
wait_for '^heard 60 ' || fail "key 60 was not played"
wait_pixel "$x" 313 "90,160,230" || fail "key 60 is not lit while held: $(pixel "$x" 313)"
xdotool mouseup 1
wait_for '^midi 128 60 100$' || fail "key 60 was not released"
read -r _ _ share below above _ < <(recent | grep '^heard 60 ')
awk -v s="$share" -v b="$below" -v a="$above" 'BEGIN { exit !(s > 0.5 && s > 4 * b && s > 4 * a) }' ||
  fail "the audio is not at the pitch of key 60 ($share against $below and $above)"
wait_pixel "$x" 313 "244,244,240" || fail "key 60 stays lit after release"


# A glissando from C4 to G4 along the white keys: one note-off and note-on per key crossed.
mark
xdotool mousemove --window "$host" "$x" 313 mousedown 1
for step in $(seq 1 48); do xdotool mousemove --window "$host" $((x + step)) 313; done
xdotool mouseup 1
wait_for '^midi 128 67 100$' || fail "the glissando did not end on key 67"
recent | grep '^midi ' >"$work/gliss.txt"
printf 'midi 144 60 100\nmidi 128 60 100\nmidi 144 62 100\nmidi 128 62 100\nmidi 144 64 100\nmidi 128 64 100\nmidi 144 65 100\nmidi 128 65 100\nmidi 144 67 100\nmidi 128 67 100\n' >"$work/gliss-expected.txt"
diff "$work/gliss-expected.txt" "$work/gliss.txt" >/dev/null || fail "glissando order: $(tr '\n' ' ' <"$work/gliss.txt")"

# Lid down (at 760, 23): parameter 0 goes from 3 (open) to 2, and the picture changes.
before=$(pixel 400 100)
xdotool mousemove --window "$host" 772 35 click 1
wait_for '^automate 0 0.500000$' || fail "lid down sent no automation"
wait_for '^param 0 0.625000$' || fail "parameter 0 did not move to lid 2"
wait_pixel 400 100 "$before" not || fail "the picture did not change with the lid"

# The tone dialog (button at 215, 492 + 24) opens; its bass slider (at 200 + 32, 50 + 305, knob at
# value 1.0 from pixel 40) dragged to the right end moves parameter 8 to 1.0.
panel_before=$(pixel 210 250)
xdotool mousemove --window "$host" 265 531 click 1
wait_pixel 210 250 "$panel_before" not || fail "the tone dialog did not open"
xdotool mousemove --window "$host" 282 367 mousedown 1 mousemove --window "$host" 320 367 \
  mousemove --window "$host" 400 367 mouseup 1
wait_for '^automate 8 1.000000$' || fail "the bass slider did not send parameter 8 = 1.0"
wait_for '^param 8 1.000000$' || fail "parameter 8 did not move"

# Fifty times closed and opened while audio renders.
echo "cycles 50" >>"$work/commands"
wait_for '^cycles 50$' 240 || fail "the open and close cycles did not finish"
end_host
grep '^blocks ' "$work/out.txt"

# The first read of the sound bank showed the splash screen, which closed again at the end of it.
log="$work/plug/Virellando-Log.txt"
[ "$(grep -c 'Displaying splash screen.' "$log")" = 1 ] || fail "not one splash screen: $(grep -c 'Displaying splash screen.' "$log")"
grep -q 'Finished shutting down splash' "$log" || fail "the splash screen did not close at the end of the read"
rm -f "$log"

# Every editor call on a thread other than the one that made the instance; then the instance ends
# with its editor still open.
start_host --editor-thread --instances 2
xdotool mousemove --window "$host" "$x" 313 click 1
wait_for '^midi 128 60 100$' || fail "a click with the editor on its own thread played nothing"
end_host quit-open
# Two instances in one process: no second splash screen (each instance starts the log afresh, so the
# first one's lines may be gone).
[ "$(grep -c 'Displaying splash screen.' "$log")" -le 1 ] || fail "two instances showed two splash screens"
# Without a sound bank: the message about it comes up in a window of its own while start-up goes on, and
# a host that quits with the message still up is not held by it.
rm -f "$work/plug/Virellando.DAT"
start_host
boxes=0
for _ in $(seq 1200); do
  boxes=$(xwininfo -root -children | grep -c '^ *0x')
  [ "$boxes" -ge 2 ] && break
  sleep 0.05
done
[ "$boxes" -ge 2 ] || fail "no window for the missing sound bank's message"
end_host
echo "ok: the editor under $DISPLAY played, lit, glided, moved the lid and the bass, and survived 50 cycles"
