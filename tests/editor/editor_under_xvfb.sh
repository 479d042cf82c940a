#!/usr/bin/env bash
# The built plug-in's editor in a small X11 host under a display server of its own: a click on a key
# sounds that note and lights it, a glissando plays the keys crossed in order, the lid buttons change
# the picture and parameter 0, the tone dialog's bass slider moves parameter 8, the editor opens and
# closes fifty times while audio renders (leaks are caught by LeakSanitizer in sanitizer builds), the
# editor also runs with every call on a thread of its own and survives the instance ending while it
# is open, and the message about a missing sound bank neither holds up start-up nor the host's end.
# Skips (77) only when Xvfb or xdotool is not installed.
edithost=$1 plugin=$2 strings=$3 testskin=$4 writebank=$5
source "$(dirname "$0")/../support/xserver.sh"
need Xvfb xdotool xwd xdpyinfo
log="$work/plug/Virellando-Log.txt"
more_logs() { [ -f "$log" ] && grep -i -E "splash|Completed|Shutting" "$log" | sed "s/^/  log: /"; }

# The plug-in folder: the module, its texts, a bank of tuned keys and the test skin.
mkdir -p "$work/plug"
cp "$plugin" "$work/plug/Virellando.so"
cp "$strings" "$work/plug/Virellando.INI"
"$writebank" "$work/plug/Virellando.DAT" || fail "no test bank"
"$testskin" "$work/plug/Virellando.SKIN" || fail "no test skin"

# A screen large enough that the splash, centred while the bank loads, never covers the host's window at
# the top left, where the clicks land.
start_xserver 2048x1536x24
start_host() {
  : >"$work/commands"
  start_app "$edithost" "$work/plug/Virellando.so" --seconds 400 --commands "$work/commands" "$@"
  wait_for '^ready$' || fail "the editor never opened"
  host=$(field host)
  child=$(xwininfo -children -id "$host" | awk '/^ +0x/{print $1; exit}')
  [ -n "$child" ] || fail "the editor made no child window in the host's window"
}
pixel() { xwd -silent -id "$child" -out "$work/shot.xwd" && convert "$work/shot.xwd" -format "%[pixel:p{$1,$2}]" info:; }
# Whether the pixel at X Y shows a colour (or, with "not", does not show it); waited for 20 s at most.
pixel_is() { case "$(pixel "$1" "$2")" in *$3*) [ -z "${4:-}" ] ;; *) [ -n "${4:-}" ] ;; esac; }

start_host
# C4 (key 60), white key 23 from the left in the lower part of the keys as the test skin draws them: 12
# pixels a white key from x 76, lower part around row 57 of the keyboard at y 256.
x=$((76 + 23 * 12 + 5))
xdotool mousemove --window "$host" "$x" 313 mousedown 1
wait_for '^heard 60 ' || fail "key 60 was not played"
wait_until 20 pixel_is "$x" 313 "90,160,230" || fail "key 60 is not lit while held: $(pixel "$x" 313)"
xdotool mouseup 1
wait_for '^midi 128 60 100$' || fail "key 60 was not released"
read -r _ _ share below above _ < <(recent | grep '^heard 60 ')
awk -v s="$share" -v b="$below" -v a="$above" 'BEGIN { exit !(s > 0.5 && s > 4 * b && s > 4 * a) }' ||
  fail "the audio is not at the pitch of key 60 ($share against $below and $above)"
wait_until 20 pixel_is "$x" 313 "244,244,240" || fail "key 60 stays lit after release"

# A glissando from C4 to G4 along the white keys: one note-off and note-on per key crossed.
mark
xdotool mousemove --window "$host" "$x" 313 mousedown 1
for step in $(seq 1 48); do xdotool mousemove --window "$host" $((x + step)) 313; done
xdotool mouseup 1
wait_for '^midi 128 67 100$' || fail "the glissando did not end on key 67"
gliss=$(recent | grep '^midi ')
[ "$gliss" = "$(for key in 60 62 64 65 67; do printf 'midi 144 %s 100\nmidi 128 %s 100\n' $key $key; done)" ] ||
  fail "glissando order: $(echo $gliss)"

# Lid down (at 760, 23): parameter 0 goes from 3 (open) to 2, and the picture changes.
before=$(pixel 400 100)
xdotool mousemove --window "$host" 772 35 click 1
wait_for '^automate 0 0.500000$' || fail "lid down sent no automation"
wait_for '^param 0 0.625000$' || fail "parameter 0 did not move to lid 2"
wait_until 20 pixel_is 400 100 "$before" not || fail "the picture did not change with the lid"

# The tone dialog (button at 215, 492 + 24) opens; its bass slider (at 200 + 32, 50 + 305, knob at
# value 1.0 from pixel 40) dragged to the right end moves parameter 8 to 1.0.
panel_before=$(pixel 210 250)
xdotool mousemove --window "$host" 265 531 click 1
wait_until 20 pixel_is 210 250 "$panel_before" not || fail "the tone dialog did not open"
xdotool mousemove --window "$host" 282 367 mousedown 1 mousemove --window "$host" 320 367 \
  mousemove --window "$host" 400 367 mouseup 1
wait_for '^automate 8 1.000000$' || fail "the bass slider did not send parameter 8 = 1.0"
wait_for '^param 8 1.000000$' || fail "parameter 8 did not move"

# Fifty times closed and opened while audio renders.
echo "cycles 50" >>"$work/commands"
wait_for '^cycles 50$' 240 || fail "the open and close cycles did not finish"
quit_host
grep '^blocks ' "$work/out.txt"

# The first read of the sound bank showed the splash screen, which closed again at the end of it.
[ "$(grep -c 'Displaying splash screen.' "$log")" = 1 ] || fail "not one splash screen: $(grep -c 'Displaying splash screen.' "$log")"
grep -q 'Finished shutting down splash' "$log" || fail "the splash screen did not close at the end of the read"
rm -f "$log"

# Every editor call on a thread other than the one that made the instance; then the instance ends
# with its editor still open.
start_host --editor-thread --instances 2
xdotool mousemove --window "$host" "$x" 313 click 1
wait_for '^midi 128 60 100$' || fail "a click with the editor on its own thread played nothing"
quit_host quit-open
# Two instances in one process: no second splash screen (each instance starts the log afresh, so the
# first one's lines may be gone).
[ "$(grep -c 'Displaying splash screen.' "$log")" -le 1 ] || fail "two instances showed two splash screens"
# Without a sound bank: the message about it comes up in a window of its own while start-up goes on, and
# a host that quits with the message still up is not held by it.
rm -f "$work/plug/Virellando.DAT"
start_host
windows() { [ "$(xwininfo -root -children | grep -c '^ *0x')" -ge 2 ]; }
wait_until 60 windows || fail "no window for the missing sound bank's message"
quit_host
echo "ok: the editor under $DISPLAY played, lit, glided, moved the lid and the bass, and survived 50 cycles"
