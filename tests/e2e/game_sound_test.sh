#!/bin/bash
# The real game with real sound: pomuri under Xvfb plays its waves through ALSA "default"
# into a private PulseAudio null sink ("nullsink") and its tune through a PulseAudio stream of
# its own (application "FluidSynth") into a second null sink ("musicsink"). A scripted single
# reading is clicked through with xdotool at the window's known places; both monitors are
# recorded and their 50 ms envelopes checked:
#   waves: the greeting jingle at start, a click sound after each click that makes one,
#          and the long result jingle after the reading's last clicks
#   music: the tune from the start until the result stops it, silence after
# The peak levels and times found are printed. Skipped (77) only when a program it needs
# is missing. The clicks are spaced in real time: the game plays real sounds at real speed.
# Usage: game_sound_test.sh PATH/TO/pomuri
set -u
GAME=$1
BIN_DIR=$(dirname "$GAME")
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/pulse_env.sh"
. "$HERE/xvfb_env.sh"
need_xvfb_tools
need_tools
[ -f "$BIN_DIR/dat/guitar.wav" ] && [ -f "$BIN_DIR/dat/gos.mid" ] || { echo "FAIL: no game sounds beside $GAME"; exit 1; }
ls /usr/share/sounds/sf2/*.sf2 > /dev/null 2>&1 || { echo "FAIL: no SoundFont in /usr/share/sounds/sf2"; exit 1; }

GAME_PID=
MUSIC_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2> /dev/null && wait "$GAME_PID" 2> /dev/null
  [ -n "$MUSIC_PID" ] && kill "$MUSIC_PID" 2> /dev/null && wait "$MUSIC_PID" 2> /dev/null
  stop_xvfb
  stop_pulse
}
trap cleanup EXIT
start_pulse
# Both streams start on the default sink, "nullsink"; the tune's stream (the only one
# in float samples) is moved to "musicsink" as soon as it appears.
pactl load-module module-null-sink sink_name=musicsink > /dev/null || { echo "FAIL: no music sink"; exit 1; }

cd "$PULSE_WORK"
fresh_game_folder "$BIN_DIR" game

start_xvfb 1024x768 xvfb.log || { echo "FAIL: Xvfb did not start"; cat xvfb.log; exit 1; }
unset QT_QPA_PLATFORM

parec -d musicsink.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=10 > music.raw &
MUSIC_PID=$!
start_recording waves.raw
t_rec=$(date +%s.%N)
now() { awk "BEGIN { printf \"%.3f\", $(date +%s.%N) - $t_rec }"; }

WAVEMIX_OUTPUT=alsa "$GAME" --seed 7 --data-dir "$PULSE_WORK/game" > game.log 2>&1 &
GAME_PID=$!
WIN=$(wait_for_window 20 --name "ポムリー" | head -1)
[ -n "$WIN" ] || { echo "FAIL: the game window did not appear"; cat game.log; exit 1; }
t_start=$(now)
echo "window at ${t_start}s"
music_input=
for _ in $(seq 100); do
  music_input=$(pactl list sink-inputs short | awk '$5 ~ /float32/ { print $1; exit }')
  [ -n "$music_input" ] && break
  sleep 0.05
done
[ -n "$music_input" ] || { echo "FAIL: the tune's stream did not appear"; cat game.log; exit 1; }
pactl move-sink-input "$music_input" musicsink || { echo "FAIL: cannot move the tune's stream"; exit 1; }
t_moved=$(now)
echo "tune's stream moved to its own sink at ${t_moved}s"

CLICKS=""   # "time label" of every click that must sound
click() {  # click X Y [LABEL]: a real press in the window's client area
  xdotool mousemove --window "$WIN" "$1" "$2" click 1
  [ $# -ge 3 ] && CLICKS="$CLICKS$(now) $3
"
}
pause() { sleep "$1"; }   # real time between clicks: each sound must be heard on its own

pause 4                               # the greeting jingle and the tune
click 292 304 start.wav; pause 1.2    # NEW GAME
click 150 180 1.wav; pause 1          # the click that ends "まず名前をおしえてね"
click 30 226 8.wav; pause 1           # letter tile A
click 260 326 ok.wav; pause 1         # name OK
click 142 246 2.wav; pause 1          # yes, that is the name
click 78 274 3.wav; pause 1           # male
click 150 180 1.wav; pause 1          # the line after the sex
click 258 320 ok.wav; pause 1         # birthday OK
click 142 246 2.wav; pause 1          # yes, that is the birthday
for _ in 1 2; do click 142 246; pause 0.6; click 150 180; pause 0.6; done  # any teasing
click 198 270 1.wav; pause 1          # the first word
for _ in $(seq 8); do click 142 246; pause 0.6; click 150 180; pause 0.6; done  # reaction, ritual
t_result_done=$(now)
pause 5                               # the result jingles play out; the music has stopped
t_end=$(now)
kill "$GAME_PID"; wait "$GAME_PID"; GAME_PID=
stop_recording
kill "$MUSIC_PID"; wait "$MUSIC_PID" 2> /dev/null; MUSIC_PID=

sox -t raw -r 44100 -e signed -b 16 -c 1 waves.raw waves.wav
sox -t raw -r 44100 -e signed -b 16 -c 1 music.raw music.wav
# The music recording began a moment before the waves' one; both are aligned closely enough
# for 50 ms windows and the generous margins below.
envelope() {  # 50 ms windows: "start_seconds peak" (peak of |sample| in 0..1)
  sox "$1" -t dat - | awk 'NR > 2 { w = int($1 / 0.05); v = $2 < 0 ? -$2 : $2; if (v > p[w]) p[w] = v; if (w > m) m = w }
    END { for (i = 0; i <= m; i++) printf "%.2f %.4f\n", i * 0.05, p[i] + 0 }'
}
envelope waves.wav > waves.env
envelope music.wav > music.env
peak() {  # peak FILE FROM TO
  awk -v a="$2" -v b="$3" '$1 >= a && $1 < b && $2 > p { p = $2 } END { printf "%.4f", p + 0 }' "$1"
}
loud_span() {  # loud_span FILE FROM TO: the longest run of windows above 0.01, in seconds
  awk -v a="$2" -v b="$3" '$1 >= a && $1 < b { if ($2 > 0.01) { r += 0.05; if (r > m) m = r } else r = 0 } END { printf "%.2f", m + 0 }' "$1"
}
first_loud() {  # first_loud FILE FROM TO: time of the first window above 0.01
  awk -v a="$2" -v b="$3" '$1 >= a && $1 < b && $2 > 0.01 { printf "%.2f", $1; found = 1; exit } END { if (!found) printf "none" }' "$1"
}

failures=0
check() {  # check CONDITION MESSAGE
  if awk "BEGIN { exit !($1) }"; then echo "ok: $2"; else echo "FAIL: $2 ($1)"; failures=$((failures + 1)); fi
}
w() { awk "BEGIN { print $1 }"; }

echo "--- greeting and music"
g_on=$(first_loud waves.env "$(w "$t_start - 1")" "$(w "$t_start + 3")")
# The tune shares the waves' sink until it is moved: the greeting is judged after that.
echo "waves: first sound at ${g_on}s, peak $(peak waves.env "$t_start" "$(w "$t_start + 3")"), longest sound $(loud_span waves.env "$(w "$t_start - 1")" "$(w "$t_start + 4")")s"
check "\"$g_on\" != \"none\"" "the greeting jingle sounds at start"
check "$(loud_span waves.env "$t_moved" "$(w "$t_start + 4")") >= 1.5" "the greeting jingle goes on after the tune has left its sink"
m_on=$(first_loud music.env "$t_moved" "$(w "$t_start + 4")")
echo "music: first sound at ${m_on}s, peak $(peak music.env 0 "$t_result_done")"
check "\"$m_on\" != \"none\"" "the tune starts at start"
check "$(peak music.env "$(w "$t_start + 3")" "$(w "$t_start + 4")") > 0.01" "the tune plays on after the greeting"

echo "--- clicks"
while read -r at label; do
  [ -n "$at" ] || continue
  p=$(peak waves.env "$(w "$at - 0.05")" "$(w "$at + 0.6")")
  echo "click $label at ${at}s: peak $p"
  check "$p > 0.01" "$label is heard after its click at ${at}s"
done <<< "$CLICKS"

echo "--- result"
result_span=$(loud_span waves.env "$(w "$t_result_done - 10")" "$t_end")
echo "waves: longest sound near the result ${result_span}s, peak $(peak waves.env "$(w "$t_result_done - 10")" "$t_end")"
check "$result_span >= 1.4" "the result jingle plays (at least 1.4 s of sound)"
check "$(peak music.env "$(w "$t_result_done + 0.5")" "$t_end") < 0.003" "the tune is silent after the result"
check "$(peak waves.env "$(w "$t_end - 0.5")" "$t_end") < 0.01" "the waves have ended at the end"
grep -q . game.log && { echo "--- game output"; cat game.log; }

if [ $failures -ne 0 ]; then
  keep="${TMPDIR:-/tmp}/pomuri-game-sound-failed"
  mkdir -p "$keep" && cp waves.wav music.wav waves.env music.env "$keep"/ && echo "recordings kept in $keep"
  exit 1
fi
echo "PASS"
