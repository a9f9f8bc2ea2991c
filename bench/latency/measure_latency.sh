#!/bin/sh
# Latency of the mixer on ALSA "default" routed to a private PulseAudio null sink.
#
# For each WAVEMIX.INI block configuration (WaveBlocks x WaveBlockLen, mono):
#   - "from quiet": a tone played while the device is idle;
#   - "behind a sound": a tone played on channel 1 while channel 0 plays a silent wave
#     (all 0x80: it keeps the mixer busy but cannot be mistaken for the tone), queued
#     normally (flags 0) and spliced in at the play position (flag "now");
# the demo's --latency probe reports the time from the WaveMixPlay call to the moment the
# tone's first non-silent byte is due out of the ALSA PCM (ALSA's ring-buffer accounting;
# the null sink adds its own configured latency, printed once, on top).
#   - "underrun-free": a scripted minute of a steady tone (constant DC level, so any
#     dropout is a run of exact zeros in the recording) with one core kept busy by a
#     `yes > /dev/null` loop; count_gaps.py counts dropouts of 1 ms or more.
# Usage: measure_latency.sh PATH/TO/wavemix_demo [REPEATS] [MINUTE_SECONDS]
set -u
# Resolved before the script changes into its work folder, so a relative path works.
DEMO=$(realpath "$1")
REPEATS=${2:-5}
MINUTE=${3:-60}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../../tests/e2e/pulse_env.sh"
need_tools
trap 'stop_pulse; [ -n "${BUSY_PID:-}" ] && kill $BUSY_PID 2>/dev/null' EXIT
start_pulse
cd "$PULSE_WORK"

sox -D -n -r 11025 -b 8 -e unsigned -c 1 tone.wav synth 0.5 sine 1000 vol 0.5
sox -D -n -r 11025 -b 8 -e unsigned -c 1 quiet.wav trim 0 2
# A steady level: 8-bit 0xA0 everywhere.
sox -D -n -r 11025 -b 8 -e unsigned -c 1 steady.wav synth 1 sine 0 vol 0 dcshift 0.25

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
probe() {  # probe ARGS... -> one latency figure in ms
  "$DEMO" --latency "$@" 2>/dev/null | awk '/^latency/ { print $(NF - 1); exit }'
}

# Keep a low-latency client on the monitor so that the null sink runs at low latency.
start_recording idle.raw
echo "null sink: $(pactl list sinks | awk '/Latency:/ { print $2 / 1000 " ms now, configured " $5 / 1000 " ms" }')"
echo
printf "%-22s %12s %14s %14s %s\n" "blocks" "quiet (ms)" "behind (ms)" "behind+now" "minute under load"
# CONFIGS: WaveBlocks x WaveBlockLen pairs to try, e.g. "3x2048 2x512" (11025 Hz), with an
# optional rate class "4x512@44"; "shipped" is the game's own assets/WAVEMIX.INI.
for config in ${CONFIGS:-shipped 3x2048 2x512 4x512}; do
  if [ "$config" = shipped ]; then
    cp "$HERE/../../assets/WAVEMIX.INI" wavemix.ini
    set -- $(awk -F= '/^WaveBlocks=/ { b = $2 } /^WaveBlockLen=/ { l = $2 } /^SamplesPerSec=/ { r = $2 }
                      END { print b + 0, l + 0, (r ? r : 11) }' wavemix.ini)
  else
    rate=11; case $config in *@*) rate=${config#*@}; config=${config%@*};; esac
    set -- ${config%x*} ${config#*x} "$rate"
    printf '[default]\nWaveBlocks=%s\nWaveBlockLen=%s\nSamplesPerSec=%s\n' "$1" "$2" "$3" > wavemix.ini
  fi
  hz=$(( $3 == 44 ? 44100 : $3 == 22 ? 22050 : 11025 ))
  export WAVEMIX_INI="$PULSE_WORK/wavemix.ini"
  quiet=""; behind=""; now=""
  i=0
  while [ $i -lt "$REPEATS" ]; do
    quiet="$quiet $(probe --duration 900 tone.wav:0:300)"
    behind="$behind $(probe --duration 2600 quiet.wav:0 tone.wav:1:1000)"
    now="$now $(probe --duration 2200 quiet.wav:0 tone.wav:1:1000:0:now)"
    i=$((i + 1))
  done
  gaps="-"
  if [ "$MINUTE" -gt 0 ]; then
    stop_recording
    yes > /dev/null & BUSY_PID=$!
    start_recording minute.raw
    "$DEMO" --duration $((MINUTE * 1000)) steady.wav:0:0:65535 > /dev/null 2>&1
    stop_recording
    kill $BUSY_PID 2>/dev/null; wait $BUSY_PID 2>/dev/null; BUSY_PID=
    gaps=$(python3 "$HERE/count_gaps.py" minute.raw)
    start_recording idle.raw
  fi
  printf "%-22s %12s %14s %14s %s\n" "$1 x $2 @$3 ($(( $1 * $2 * 1000 / hz )) ms)" \
    "$(echo $quiet | tr ' ' '\n' | median)" "$(echo $behind | tr ' ' '\n' | median)" \
    "$(echo $now | tr ' ' '\n' | median)" "$gaps"
done
