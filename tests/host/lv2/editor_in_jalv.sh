#!/usr/bin/env bash
# The LV2 plug-in's editor in jalv, a real LV2 host, under a display server of its own, with jalv on a JACK
# server of its own that runs a dummy device: jalv embeds the X11 UI in its window and idles it; a click on
# a key plays that note, which jack_rec records from jalv's outputs and realhost-sound-check hears at its
# pitch; the lid-down button moves jalv's lid control, which comes back to the instrument. The bundle is a
# copy of the built one with a bank of tuned keys and the test skin, whose keys lie where the clicks land.
#
#   editor_in_jalv.sh LV2-BUNDLE TESTSKIN WRITEBANK SOUNDCHECK [SCREENSHOT.png]
#
# With a screenshot file, the copy keeps the bundle's own skin and bank, and the script only photographs
# jalv's window with the editor in it.
bundle=$1 testskin=$2 writebank=$3 soundcheck=$4 screenshot=${5:-}
source "$(dirname "$0")/../../support/xserver.sh"
need Xvfb xdotool xwd xdpyinfo jalv.gtk3 jackd jack_wait jack_lsp jack_rec
uri=https://tallowind.example/plugins/virellando
jack_pid='' rec_pid=''
stop_jack() {
  [ -n "$rec_pid" ] && kill "$rec_pid" 2>/dev/null
  [ -n "$jack_pid" ] && kill "$jack_pid" 2>/dev/null
  cleanup
}
trap stop_jack EXIT
more_logs() {
  [ -f "$work/jackd.log" ] && grep -v XRun "$work/jackd.log" | tail -8 | sed "s/^/  jackd: /"
  [ -f "$work/lv2/Virellando.lv2/Virellando-Log.txt" ] && tail -15 "$work/lv2/Virellando.lv2/Virellando-Log.txt" | sed "s/^/  log: /"
}

# The bundle: its module and Turtle files, its texts and programs; the test skin and bank unless photographing.
mkdir -p "$work/lv2/Virellando.lv2"
copy="$work/lv2/Virellando.lv2"
cp "$bundle"/Virellando.so "$bundle"/*.ttl "$bundle"/Virellando.INI "$bundle"/Virellando.presets "$copy/"
# Until jalv maps the window, xwd cannot read it and the pixel is empty.
pixel() { xwd -silent -id "$editor" 2>/dev/null | convert xwd:- -format "%[pixel:p{$1,$2}]" info: 2>/dev/null; }
if [ -n "$screenshot" ]; then
  cp -rL "$bundle"/Virellando.SKIN "$bundle"/skin "$bundle"/Virellando.DAT "$copy/"
else
  "$writebank" "$copy/Virellando.DAT" || fail "no test bank"
  "$testskin" "$copy/Virellando.SKIN" || fail "no test skin"
fi

# A JACK server of this test's own on a dummy device, and jalv on it.
export JACK_DEFAULT_SERVER="virellando-test-$$" JACK_NO_AUDIO_RESERVATION=1
jackd --no-realtime -d dummy -r 44100 -p 512 >"$work/jackd.log" 2>&1 &
jack_pid=$!
jack_wait -w -t 60 >/dev/null 2>&1 || fail "the JACK server did not start"

start_xserver 1280x1024x24
LV2_PATH="$work/lv2" start_app jalv.gtk3 --print-controls "$uri"
# The editor: the innermost window of 800 x 576 in jalv's, the one the plug-in made.
editor_window() { xwininfo -root -tree | awk '/800x576\+/{window = $1} END {print window}'; }
editor_shown() { [ -n "$(editor_window)" ]; }
wait_until 120 editor_shown || fail "jalv showed no editor window of 800 x 576"
editor=$(editor_window)
echo "jalv embedded the editor as window $editor"
if [ -n "$screenshot" ]; then
  # The editor has drawn once its picture is in: wait for a pixel of the piano that is not black.
  drawn() { case "$(pixel 400 100)" in "" | "srgb(0,0,0)") false ;; esac; }
  wait_until 60 drawn || fail "the editor never drew"
  top=$(xdotool search --name "Virellando" | head -n1)
  xwd -silent -id "${top:-$editor}" -frame | convert xwd:- "$screenshot" || fail "no screenshot"
  echo "ok: $screenshot"
  exit 0
fi

pixel_is() { case "$(pixel "$1" "$2")" in *$3*) [ -z "${4:-}" ] ;; *) [ -n "${4:-}" ] ;; esac; }
# C4 (key 60) in the test skin: white key 23 from x 76, 12 pixels a white key, its lower part at y 313.
x=$((76 + 23 * 12 + 5))
wait_until 60 pixel_is "$x" 313 "244,244,240" || fail "key 60 is not drawn unlit: $(pixel "$x" 313)"

# jalv's outputs, recorded while the key is played.
outputs() { jack_lsp | grep -E ':out_(left|right)$'; }
has_outputs() { [ "$(outputs | wc -l)" = 2 ]; }
wait_until 60 has_outputs || fail "jalv has no outputs out_left and out_right: $(jack_lsp | tr '\n' ' ')"
# shellcheck disable=SC2046 # the two port names
jack_rec -f "$work/played.wav" -d 30 $(outputs) >"$work/jack_rec.log" 2>&1 &
rec_pid=$!
recorded_past() { [ "$(stat -c %s "$work/played.wav" 2>/dev/null || echo 0)" -gt "$1" ]; }
second=$((44100 * 2 * 2)) # bytes of a second of 16-bit stereo
wait_until 20 recorded_past $((second / 10)) || fail "jack_rec does not record"

# jalv's toolkit keeps the first click into the window it embeds for itself: it goes to the piano's picture.
xdotool mousemove --window "$editor" 400 100 click 1
# The key lights as the editor takes the press, and goes out as it takes the release.
xdotool mousemove --window "$editor" "$x" 313 mousedown 1
wait_until 20 pixel_is "$x" 313 "90,160,230" || fail "key 60 did not light while held: $(pixel "$x" 313)"
# Held for half a second of the recording, long enough for its pitch to stand out from the semitones beside it.
wait_until 20 recorded_past $(($(stat -c %s "$work/played.wav") + second / 2)) || fail "jack_rec stopped recording"
xdotool mouseup 1
wait_until 20 pixel_is "$x" 313 "244,244,240" || fail "key 60 stays lit after release"
# A second of the note's tone after its release, then the recording ends.
wait_until 20 recorded_past $(($(stat -c %s "$work/played.wav") + second)) || fail "jack_rec stopped recording"
kill -INT "$rec_pid" && wait "$rec_pid"
rec_pid=
"$soundcheck" "$work/played.wav" 261.63 || fail "jalv did not play the clicked key"

# Lid down (at 760, 23): the editor sets parameter 0 to 0.5 (lid 2) and writes the lid control; jalv takes
# the write and hands the instrument the control's value, position 2 (0.625, the centre of its step).
log="$work/lv2/Virellando.lv2/Virellando-Log.txt"
xdotool mousemove --window "$editor" 772 35 click 1
wait_until 20 grep -q "Set Parameter 0 value 0.625000" "$log" || fail "jalv did not hand back the lid control at 2"
echo "ok: jalv embedded the editor, a click on key 60 played it, and lid down moved jalv's lid control"
