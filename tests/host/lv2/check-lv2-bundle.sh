#!/usr/bin/env bash
# Checks an LV2 bundle of the plug-in as LV2 hosts read it: lv2_validate finds no error in its Turtle files
# (against the LV2 specifications Debian installs), and lv2info lists the plug-in with its ports (the MIDI
# input, two audio outputs, the latency it reports, one control per parameter with its range), its X11 UI
# and its presets.
#
#   check-lv2-bundle.sh BUNDLE-FOLDER
set -euo pipefail
[ $# -eq 1 ] || { sed -n '2,7s/^# \{0,1\}//p' "$0" >&2; exit 2; }
bundle=$(cd "$1" && pwd)
for tool in lv2_validate lv2info; do
  command -v "$tool" >/dev/null || { echo "check-lv2-bundle: no $tool; scripts/install-deps --tests installs it" >&2; exit 1; }
done
failures=0
check() {
  local name=${*: -1}
  if "${@:1:$#-1}"; then echo "pass  $name"; else echo "FAIL  $name"; failures=$((failures + 1)); fi
}

validation=$(lv2_validate "$bundle"/*.ttl 2>&1) && status=0 || status=$?
grep -E '^(error|warning)' <<<"$validation" || true
check test "$status" -eq 0 "lv2_validate ends well"
check grep -q "^Found 0 errors" <<<"$validation" "lv2_validate finds no error"

# lv2info reads the bundle from a folder of its own, so that no other copy of the plug-in is found.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$bundle" "$scratch/Virellando.lv2"
info=$(LV2_PATH="$scratch" lv2info https://tallowind.example/plugins/virellando 2>&1)
echo "$info" | sed -n '/^\tName:/p;/^\tHas latency/p;/Class:.*X11UI/p'
check grep -q "Name: *Virellando" <<<"$info" "lv2info lists the plug-in"
check grep -q "Has latency: *yes, reported by port 3" <<<"$info" "the latency is reported by its port"
check grep -q "Class: *http://lv2plug.in/ns/extensions/ui#X11UI" <<<"$info" "the editor is an X11 UI"
ports=$(grep -c "^	Port [0-9]*:" <<<"$info")
check test "$ports" -eq 15 "15 ports: MIDI, two outputs, latency, 11 parameters ($ports listed)"
for symbol in midi_in out_left out_right latency lid hammer reverb reverb_type volume velocity_curve resonance \
  chorus bass middle treble; do
  check grep -q "Symbol: *$symbol$" <<<"$info" "a port $symbol"
done
check grep -q "Concert Grand" <<<"$info" "the factory programs are presets"
reverbType=$(grep -A8 "Symbol: *reverb_type$" <<<"$info")
check grep -q "Maximum: *6" <<<"$reverbType" "the reverb type's range is 0..6"
[ "$failures" -eq 0 ] || { echo "check-lv2-bundle: $failures check(s) failed" >&2; exit 1; }
