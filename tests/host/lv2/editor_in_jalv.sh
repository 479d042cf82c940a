#!/usr/bin/env bash
# The LV2 plug-in's editor in jalv, a real LV2 host, under a display server of its own, with jalv on a JACK
# server of its own that runs a dummy device: jalv embeds the X11 UI in its window and idles it; a click on
# a key plays that note, recorded from jalv's outputs and heard at its pitch; the lid-down button moves
# jalv's lid control, which comes back to the instrument. The bundle is a copy of the built one with a bank
# of tuned keys and the test skin, whose keys lie where the clicks land.
#
#   editor_in_jalv.sh LV2-BUNDLE TESTSKIN WRITEBANK SOUNDCHECK [SCREENSHOT.png]
#
# With a screenshot file, the copy keeps the bundle's own skin and bank, and the script only photographs
# jalv's window with the editor in it.
bundle=$1 testskin=$2 writebank=$3 soundcheck=$4 screenshot=${5:-}
here=$(dirname "$0")
source "$here/../../support/xserver.sh"
source "$here/../../support/hostededitor.sh"
need Xvfb xdpyinfo jalv.gtk3
uri=https://tallowind.example/plugins/virellando
copy="$work/lv2/Virellando.lv2"
log="$copy/Virellando-Log.txt"
more_logs() {
  jack_log
  [ -f "$log" ] && tail -15 "$log" | sed "s/^/  log: /"
}

# The bundle: its module, Turtle files, texts and programs, with the test skin and bank.
mkdir -p "$copy"
copy_plugin_files "$bundle" "$copy" "$testskin" "$writebank" "$screenshot"
cp "$bundle"/*.ttl "$copy/"

start_jack 512
start_xserver 1280x1024x24
LV2_PATH="$work/lv2" start_app jalv.gtk3 --print-controls "$uri"
wait_for_editor jalv 120
if [ -n "$screenshot" ]; then
  photograph Virellando "$screenshot"
  exit 0
fi

play_key_60 ':out_(left|right)$' "$soundcheck"

# Lid down (at 760, 23): the editor sets parameter 0 to 0.5 (lid 2) and writes the lid control; jalv takes
# the write and hands the instrument the control's value, position 2 (0.625, the centre of its step).
xdotool mousemove --window "$editor" 772 35 click 1
wait_until 20 grep -q "Set Parameter 0 value 0.625000" "$log" || fail "jalv did not hand back the lid control at 2"
echo "ok: jalv embedded the editor, a click on key 60 played it, and lid down moved jalv's lid control"
