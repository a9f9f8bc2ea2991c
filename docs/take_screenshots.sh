#!/usr/bin/env bash
# Retakes the README's screenshots from the real program under Xvfb: the title screen, the
# first chat, name entry and a result sheet, by clicking through a single reading with a
# fixed seed and a fresh profile. The pauses let the game's own waits and animations finish;
# this is a documentation helper, not a test.
#
#   docs/take_screenshots.sh [PROGRAM] [SCALE]     defaults: build/bin/pomuri, 1
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/pomuri}")
scale=${2:-1}
out=docs/screenshots
work=$(mktemp -d /tmp/pomuri-shots.XXXXXX)
game_pid=
. tests/e2e/xvfb_env.sh
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2> /dev/null || true; fi
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 1280x1024

# A fresh profile: the data folder is a copy, so the build's own my.dat is not touched.
mkdir "$work/home"
fresh_game_folder "$(dirname "$program")" "$work/data"
HOME="$work/home" QT_SCALE_FACTOR=$scale WAVEMIX_OUTPUT=null \
  "$program" --seed 7 --data-dir "$work/data" > "$work/game.log" 2>&1 &
game_pid=$!
window=$(wait_for_window 30 --class pomuri | head -1)

# Clicks at window coordinates of the 481 × 349 layout.
click() { xdotool mousemove --window "$window" $(($1 * scale)) $(($2 * scale)) click 1; sleep "${3:-2.5}"; }
shot() { import -window "$window" "$out/$1.png"; }
speech() { click 150 325; }

mkdir -p "$out"
sleep 2; shot title
click 292 304; shot chat            # NEW GAME
speech                              # to name entry
for letter in "106 262" "150 266" "106 262" "150 266"; do click $letter 0.6; done  # M O M O
sleep 1; shot name-entry
click 260 326                       # OK!
click 142 246                       # yes, that is the name
click 212 270                       # ♀
speech
click 258 320                       # birthday OK!
click 142 246                       # yes, that is the birthday
for _ in 1 2 3 4 5 6 7 8; do speech; done   # the rest of the chat, the word, the ritual
shot result
kill -TERM "$game_pid"
wait "$game_pid" || true
game_pid=
echo "screenshots written to $out/"
