#!/bin/bash
# The sound server goes away while the game plays: pomuri under Xvfb plays its greeting
# and tune into a private PulseAudio daemon, the daemon is killed, and the game is clicked
# on through NEW GAME, a letter tile and the name's OK, each of which plays a sound on the
# lost device. The game must go on silently: no second window (error box) appears, a
# termination request still closes it at once (its event loop is not stuck), and the
# profile it saves at close holds the name entered after the loss.
# Skipped (77) only when a program it needs is missing.
# Usage: game_device_lost_test.sh PATH/TO/pomuri
set -u
GAME=$1
BIN_DIR=$(dirname "$GAME")
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/pulse_env.sh"
. "$HERE/xvfb_env.sh"
need_xvfb_tools
need_tools

GAME_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2> /dev/null && wait "$GAME_PID" 2> /dev/null
  stop_xvfb
  stop_pulse
}
trap cleanup EXIT
start_pulse
cd "$PULSE_WORK"
fresh_game_folder "$BIN_DIR" game

start_xvfb 1024x768 xvfb.log || { echo "FAIL: Xvfb did not start"; cat xvfb.log; exit 1; }
unset QT_QPA_PLATFORM

WAVEMIX_OUTPUT=alsa "$GAME" --seed 5 --data-dir "$PULSE_WORK/game" > game.log 2>&1 &
GAME_PID=$!
WIN=$(wait_for_window 20 --name "ポムリー" | head -1)
[ -n "$WIN" ] || { echo "FAIL: the game window did not appear"; cat game.log; exit 1; }
sleep 1.5   # the greeting jingle and the tune are playing
[ "$(pactl list sink-inputs short | wc -l)" -ge 1 ] || { echo "FAIL: nothing was playing before the loss"; exit 1; }
pulseaudio --kill
echo "sound server killed while playing"

failures=0
check() { if [ "$1" = 0 ]; then echo "ok: $2"; else echo "FAIL: $2"; failures=$((failures + 1)); fi; }
click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep 0.8; }
click 292 304   # NEW GAME: start.wav
click 150 180   # ends the first line: 1.wav
click 30 226    # letter tile A: 8.wav
click 260 326   # OK: ok.wav, then the yes/no question waits
sleep 1
kill -0 "$GAME_PID" 2> /dev/null; check $? "the game still runs after the loss"
windows=$(xdotool search --onlyvisible --pid "$GAME_PID" 2> /dev/null | wc -l)
[ "$windows" -eq 1 ]; check $? "only the game window is shown (found $windows)"
kill -TERM "$GAME_PID"
timeout 10 tail --pid="$GAME_PID" -f /dev/null; check $? "a termination request closes the game at once"
wait "$GAME_PID" 2> /dev/null
GAME_PID=
# "Ａ" in the code page of the profile file is 0x82 0x60.
grep -q $'\x82\x60' game/dat/my.dat 2> /dev/null; check $? "the saved profile holds the name entered after the loss"
grep -q . game.log && { echo "--- game output"; cat game.log; }
[ $failures -eq 0 ] || exit 1
echo "PASS"
