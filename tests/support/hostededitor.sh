# Sourced after xserver.sh by the tests that play the plug-in's editor in a real host that runs on a JACK
# server of the test's own (a dummy device, no sound card): the bundle's files with the test skin and bank,
# the server, the editor's window inside the host's, its pixels, and a key clicked in it, recorded from the
# host's outputs with jack_rec and heard at its pitch by realhost-sound-check. On exit the recording, the
# host and then the server stop: a server stopped under its clients may leave its entry in JACK's registry
# of servers, which holds eight. Hence also one server name for these tests, whose stale entry a new server
# of that name takes over; the tests never run at the same time (they share the display's lock).
jack_pid='' rec_pid=''
stop_jack() {
  [ -n "$jack_pid" ] && kill "$jack_pid" 2>/dev/null && wait "$jack_pid" 2>/dev/null
  jack_pid=''
}
stop_all() {
  [ -n "$rec_pid" ] && kill "$rec_pid" 2>/dev/null
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  app_pid=''
  stop_jack
  cleanup
}
trap stop_all EXIT
need jackd jack_wait jack_lsp jack_rec xwd convert xdotool
jack_log() { [ -f "$work/jackd.log" ] && grep -v XRun "$work/jackd.log" | tail -8 | sed "s/^/  jackd: /"; }

# Copies the files the plug-in reads beside its module from the built bundle's folder FROM to TO; with the
# test skin and bank (TESTSKIN, WRITEBANK) unless a screenshot is asked for.
copy_plugin_files() { # FROM TO TESTSKIN WRITEBANK SCREENSHOT
  cp "$1"/Virellando.so "$1"/Virellando.INI "$1"/Virellando.presets "$2/" || fail "no plug-in in $1"
  if [ -n "$5" ]; then
    cp -rL "$1"/Virellando.SKIN "$1"/skin "$1"/Virellando.DAT "$2/" || fail "no skin or bank in $1"
  else
    "$4" "$2/Virellando.DAT" || fail "no test bank"
    "$3" "$2/Virellando.SKIN" || fail "no test skin"
  fi
}

# A JACK server of this test's own, at 44.1 kHz with blocks of the given length; its output in jackd.log.
start_jack() { # FRAMES
  export JACK_DEFAULT_SERVER=virellando-test JACK_NO_AUDIO_RESERVATION=1
  jackd --no-realtime -d dummy -r 44100 -p "$1" >"$work/jackd.log" 2>&1 &
  jack_pid=$!
  jack_wait -w -t 60 >/dev/null 2>&1 || fail "the JACK server did not start"
}

# The editor: the innermost window of 800 x 576 in the host's, the one the plug-in made; $editor once shown.
editor_window() { xwininfo -root -tree | awk '/800x576\+/{window = $1} END {print window}'; }
editor_shown() { [ -n "$(editor_window)" ]; }
wait_for_editor() { # HOST SECONDS
  wait_until "$2" editor_shown || fail "$1 showed no editor window of 800 x 576"
  editor=$(editor_window)
  echo "$1 embedded the editor as window $editor"
}
# A pixel of the editor as "srgb(r,g,b)"; empty until the host maps the window and xwd can read it.
pixel() { xwd -silent -id "$editor" 2>/dev/null | convert xwd:- -format "%[pixel:p{$1,$2}]" info: 2>/dev/null; }
pixel_is() { case "$(pixel "$1" "$2")" in *$3*) true ;; *) false ;; esac; }
# The editor has drawn once its picture is in: a pixel of the piano that is not black.
drawn() { case "$(pixel 400 100)" in "" | "srgb(0,0,0)") false ;; esac; }
# Photographs the host's top window named NAME, frame and all, once the editor has drawn.
photograph() { # NAME FILE
  wait_until 60 drawn || fail "the editor never drew"
  local top
  top=$(xdotool search --name "$1" | head -n1)
  xwd -silent -id "${top:-$editor}" -frame | convert xwd:- "$2" || fail "no screenshot"
  echo "ok: $2"
}

# Bytes of a second of jack_rec's 16-bit stereo, and whether the recording has grown past a size.
second=$((44100 * 2 * 2))
recorded_past() { [ "$(stat -c %s "$work/played.wav" 2>/dev/null || echo 0)" -gt "$1" ]; }
recorded_for() { # SECONDS-TENTHS: waits until the recording has grown by that many tenths of a second
  wait_until 20 recorded_past $(($(stat -c %s "$work/played.wav") + second * $1 / 10)) ||
    fail "jack_rec stopped recording"
}

# Whether JACK lists exactly two ports matching an extended regular expression.
has_ports() { [ "$(jack_lsp 2>/dev/null | grep -cE "$1")" = 2 ]; }

# Clicks C4 (key 60) of the test skin in the editor (white key 23 from x 76, 12 pixels a white key, its
# lower part at y 313) and holds it for half a second while jack_rec records the host's two output ports
# (PORT-PATTERN, an extended regular expression over jack_lsp's names); realhost-sound-check (SOUNDCHECK)
# must hear C4 in the recording.
play_key_60() { # PORT-PATTERN SOUNDCHECK
  local x=$((76 + 23 * 12 + 5)) ports
  wait_until 60 pixel_is "$x" 313 "244,244,240" || fail "key 60 is not drawn unlit: $(pixel "$x" 313)"
  wait_until 60 has_ports "$1" || fail "no two output ports $1 among: $(jack_lsp | tr '\n' ' ')"
  mapfile -t ports < <(jack_lsp | grep -E "$1")
  jack_rec -f "$work/played.wav" -d 60 "${ports[@]}" >"$work/jack_rec.log" 2>&1 &
  rec_pid=$!
  wait_until 20 recorded_past $((second / 10)) || fail "jack_rec does not record"
  # A host's toolkit may keep the first click into a window it embeds for itself (jalv's does): the first
  # goes to the piano's picture.
  xdotool mousemove --window "$editor" 400 100 click 1
  # The key lights as the editor takes the press, and goes out as it takes the release; held for half a
  # second, long enough for its pitch to stand out from the semitones beside it.
  xdotool mousemove --window "$editor" "$x" 313 mousedown 1
  wait_until 20 pixel_is "$x" 313 "90,160,230" || fail "key 60 did not light while held: $(pixel "$x" 313)"
  recorded_for 5
  xdotool mouseup 1
  wait_until 20 pixel_is "$x" 313 "244,244,240" || fail "key 60 stays lit after release"
  # A second of the note's tone after its release, then the recording ends.
  recorded_for 10
  kill -INT "$rec_pid" && wait "$rec_pid"
  rec_pid=''
  "$2" "$work/played.wav" 261.63 || fail "the host did not play the key clicked in the editor"
}
