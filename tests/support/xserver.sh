# Sourced by the tests that need a display: a scratch folder ($work), an X server of the test's own, waits
# on events with a ceiling, and fail(), which prints what the program under test and the server wrote. On
# exit the program under test ($app_pid), Wine's server (after need_wine) and the X server stop and the
# folder goes. TEST_TRACE=1 traces the script.
#
# Xvfb picks a free display number itself (-displayfd) and runs with -noreset: without it the server resets
# each time its last client leaves (after every xdpyinfo or xdotool, or a splash screen closing its
# connection just as the host opens one) and refuses connections for that moment. It gets a minute to
# choose its display and another to answer: a sanitizer build or Wine on two busy cores may take that long,
# a quiet machine never does, and shorter ceilings failed in CI.
set -u
[ -n "${TEST_TRACE:-}" ] && set -x
work=$(mktemp -d)
app_pid= xvfb_pid= wine=
ceiling=60 # seconds wait_for waits for a line of output unless told otherwise
since=0
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$wine" ] && wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$work/out.txt" ] && tr -d '\r' <"$work/out.txt" | sed 's/^/  out: /'
  [ -f "$work/err.txt" ] && tr -d '\r' <"$work/err.txt" | head -60 | sed 's/^/  err: /'
  declare -F more_logs >/dev/null && more_logs
  [ -s "$work/xvfb.log" ] && tail -20 "$work/xvfb.log" | sed 's/^/  Xvfb: /'
  exit 1
}
# Skips the test (77) when a tool it needs is not installed.
need() {
  for tool; do command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: skipped"; exit 77; }; done
}
need_wine() { need Xvfb wine wineserver && wine=yes; }
# Runs a command until it succeeds: true when it did within the given seconds of pauses.
wait_until() {
  for _ in $(seq $(($1 * 20))); do "${@:2}" && return 0; sleep 0.05; done
  return 1
}

start_xserver() { # [SCREEN]
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_until 60 display_chosen && [ -s "$work/display" ] || fail "Xvfb chose no display"
  export DISPLAY=":$(head -n1 "$work/display")"
  wait_until 60 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"
}
display_chosen() { [ -s "$work/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; }

# The program under test runs in the background, writing to out.txt and err.txt; it must end well.
start_app() { since=0; "$@" >"$work/out.txt" 2>"$work/err.txt" & app_pid=$!; }
end_app() { wait "$app_pid" || fail "$1 ended with status $?"; app_pid=; }
app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
# Its output since the last mark (Wine's lines end in CR), a pattern in it, the rest of a line after a prefix.
mark() { since=$(wc -l <"$work/out.txt"); }
recent() { tail -n +$((since + 1)) "$work/out.txt" | tr -d '\r'; }
has_line() { recent | grep -q "$1"; }
wait_for() { wait_until "${2:-$ceiling}" has_line "$1"; }
field() { recent | sed -n "s/^$1 //p" | head -n1; }
# Asks the edit host to end (quit, or quit-open with the editor still open); it must end well.
quit_host() {
  echo "${1:-quit}" >>"$work/commands" && end_app "the host"
  has_line '^blocks ' || fail "the host did not finish"
}
