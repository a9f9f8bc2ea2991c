#!/bin/sh
# Dropouts of the game's shipped mixer configuration under a defined load.
#
# The load: two CPU-bound processes at normal priority (each a shell loop doing nothing
# but counting), one per core of a 2-core machine, started before the sound and running
# throughout. The sound: the mixer demo loops a steady level (8-bit 0xA0, so silence and
# dropouts are exact zeros in the recording) for SECONDS through ALSA "default" into a
# private PulseAudio null sink, with the game's own assets/WAVEMIX.INI. The monitor is
# recorded and count_gaps.py counts runs of zeros of 1 ms or more. Exit 77 without
# PulseAudio.
#
# Usage: [SERVER_RT=1] [LOAD=N] [INI=FILE] bench/dropouts/measure_dropouts.sh PATH/TO/wavemix_demo [SECONDS] [RUNS]
set -u
DEMO=$(realpath "$1")
SECONDS_OF_SOUND=${2:-60}
RUNS=${3:-1}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../../tests/e2e/pulse_env.sh"
need_tools
LOAD_PIDS=
stop_load() { [ -n "$LOAD_PIDS" ] && kill $LOAD_PIDS 2> /dev/null; wait $LOAD_PIDS 2> /dev/null; LOAD_PIDS=; }
trap 'stop_load; stop_pulse' EXIT
start_pulse
# SERVER_RT=1: the daemon's threads at SCHED_FIFO 5, as a desktop's sound server gets them
# from rtkit (the private daemon started here runs its main thread at normal priority).
if [ "${SERVER_RT:-0}" = 1 ]; then
  for task in /proc/$(pgrep -n -x pulseaudio)/task/*; do chrt -f -p 5 "${task##*/}"; done
fi
cd "$PULSE_WORK"
cp "${INI:-$HERE/../../assets/WAVEMIX.INI}" wavemix.ini  # INI: another file to compare
export WAVEMIX_INI="$PULSE_WORK/wavemix.ini"
sox -D -n -r 11025 -b 8 -e unsigned -c 1 steady.wav synth 1 sine 0 vol 0 dcshift 0.25

echo "config: $(grep -v '^;' wavemix.ini | tr '\n' ' ')"
echo "load: $(nproc) cores, ${LOAD:-2} busy loops at nice $(nice); server real-time: ${SERVER_RT:-0}"
run=1
while [ $run -le "$RUNS" ]; do
  for _ in $(seq "${LOAD:-2}"); do  # LOAD: number of busy loops (default 2)
    sh -c 'i=0; while :; do i=$((i + 1)); done' &
    LOAD_PIDS="$LOAD_PIDS $!"
  done
  start_recording minute.raw
  "$DEMO" --duration $((SECONDS_OF_SOUND * 1000)) steady.wav:0:0:65535 > demo.log 2>&1
  stop_recording
  stop_load
  echo "run $run: $(python3 "$HERE/../latency/count_gaps.py" minute.raw)"
  run=$((run + 1))
done
