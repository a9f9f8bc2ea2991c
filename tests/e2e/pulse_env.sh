# Sourced by the real-sound scripts: a private PulseAudio daemon with one null sink named
# "nullsink" (the default), ALSA's default PCM routed to it, and a low-latency recording of
# its monitor running. Works as root (CI) and as a user. Defines start_pulse, stop_pulse,
# start_recording FILE, stop_recording. With EXTRA_SINK=NAME set, the daemon also has a
# second null sink of that name from its start.
#
# use_alsa_route ROUTE      points ALSA at a private configuration (ALSA_CONFIG_PATH):
#                             pipewire  "default" and "pipewire" are PipeWire's own ALSA
#                                       plug-in, "pulse" the PulseAudio one
#                             pulse     "default" and "pulse" are the PulseAudio plug-in
#                                       (to pipewire-pulse); no "pipewire" PCM
#                             nodefault only "pulse": "default" is unknown, as on a desktop
#                                       without PipeWire's ALSA plug-in
#                           With EFFECTS_SINK=NAME set, "default" ("pulse" where there is
#                           no default) plays to that sink instead of the server's default.
#                           The system's configuration is left out on purpose: its pulse
#                           hook makes "default" the PulseAudio plug-in whenever a pulse
#                           server answers, whatever the user's own file says.
#                           ("pipewire" needs pipewire_env.sh, which finds the plug-in)
#
# The recorder is started first and waited for: the null sink runs with a 2 s latency until
# a low-latency client is attached, which would delay and stretch whatever plays first.

PULSE_WORK=$(mktemp -d "${TMPDIR:-/tmp}/wavemix-pulse.XXXXXX")
export XDG_RUNTIME_DIR="$PULSE_WORK/run"
export HOME="$PULSE_WORK/home"
unset PULSE_SERVER DBUS_SESSION_BUS_ADDRESS
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' > "$HOME/.asoundrc"

# Without PulseAudio there is nothing to play into: the check is skipped (exit 77). With
# PulseAudio present, every other tool it needs must be there too, or the check fails.
need_tools() {
  if ! command -v pulseaudio > /dev/null 2>&1; then
    echo "SKIP: pulseaudio is not installed"
    exit 77
  fi
  need_client_tools
}

# What every server's checks need besides the server: the PulseAudio clients (they reach
# pipewire-pulse too), sox, and ALSA's PulseAudio plug-in.
need_client_tools() {
  for tool in pactl parec sox soxi timeout dd mkfifo; do
    if ! command -v "$tool" > /dev/null 2>&1; then
      echo "FAIL: $tool is not installed (packages pulseaudio-utils, sox)"
      exit 1
    fi
  done
  if ! ls /usr/lib/*/alsa-lib/libasound_module_pcm_pulse.so > /dev/null 2>&1; then
    echo "FAIL: the ALSA PulseAudio plugin is not installed (package libasound2-plugins)"
    exit 1
  fi
}

start_pulse() {
  # --daemonize=yes returns only once the daemon is ready (or has failed).
  pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n --use-pid-file=yes \
    --load="module-null-sink sink_name=nullsink" ${EXTRA_SINK:+--load="module-null-sink sink_name=$EXTRA_SINK"} \
    --load=module-native-protocol-unix \
    --log-target=file:"$PULSE_WORK/pulse.log" || { echo "FAIL: pulseaudio did not start"; cat "$PULSE_WORK/pulse.log"; exit 1; }
  pactl set-default-sink nullsink || { echo "FAIL: no null sink"; exit 1; }
}

RECORD_PID=
READER_PID=
RECORD_FILE=
# Records the monitor to FILE (raw s16le mono 44100 Hz); returns once samples are flowing.
# The first 0.1 s is read through a FIFO by dd two bytes at a time, so the script can
# block on "the first samples have arrived" without polling and without losing a byte.
start_recording() {
  RECORD_FILE=$1
  rm -f "$PULSE_WORK/samples" "$PULSE_WORK/ready"
  mkfifo "$PULSE_WORK/samples" "$PULSE_WORK/ready"
  {
    dd bs=2 count=4410 iflag=fullblock of="$RECORD_FILE.head" status=none
    echo started > "$PULSE_WORK/ready"
    cat > "$RECORD_FILE.tail"
  } < "$PULSE_WORK/samples" &
  READER_PID=$!
  parec -d nullsink.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=10 \
    > "$PULSE_WORK/samples" &
  RECORD_PID=$!
  if ! timeout 20 sh -c "read line < '$PULSE_WORK/ready'"; then
    kill "$RECORD_PID" "$READER_PID" 2> /dev/null  # the reader would wait for "ready" forever
    RECORD_PID=
    echo "FAIL: the recording did not start"
    exit 1
  fi
}

stop_recording() {
  [ -n "$RECORD_PID" ] || return 0
  kill "$RECORD_PID" 2> /dev/null
  wait "$RECORD_PID" 2> /dev/null
  wait "$READER_PID" 2> /dev/null
  cat "$RECORD_FILE.head" "$RECORD_FILE.tail" > "$RECORD_FILE"
  RECORD_PID=
}

stop_pulse() {
  stop_recording
  pulseaudio --kill 2> /dev/null
  rm -rf "$PULSE_WORK"
}

# Waits (up to 200 s) until the tune's stream has left the server: the game deletes it
# once the tune has played to its end.
wait_until_tune_ends() {
  local waited=0
  while pactl list sink-inputs | grep -q 'application.name = "FluidSynth"'; do
    sleep 1; waited=$((waited + 1))
    [ $waited -lt 200 ] || { echo "the tune did not end" >&2; return 1; }
  done
}

# The same daemon under the names that pipewire_env.sh also defines, for the scripts that
# run on either server.
start_server() { start_pulse; }
kill_server() { pulseaudio --kill; }
stop_server() { stop_pulse; }

use_alsa_route() {
  local conf="$PULSE_WORK/alsa-$1.conf"
  {
    if [ "$1" = nodefault ]; then
      echo "pcm.pulse { type pulse ${EFFECTS_SINK:+device $EFFECTS_SINK} }"
    else
      echo "pcm.pulse { type pulse hint { show on description \"PulseAudio\" } }"
    fi
    echo "ctl.pulse { type pulse }"
    echo "pcm.null { type null }"
    case $1 in
      pipewire)
        echo "pcm_type.pipewire { lib \"${PW_PLUGIN:-}\" }"
        echo "pcm.pipewire { type pipewire playback_node \"-1\" capture_node \"-1\" hint { show on description \"PipeWire\" } }"
        echo "pcm.!default { type pipewire playback_node \"${EFFECTS_SINK:--1}\" capture_node \"-1\" }" ;;
      pulse) echo "pcm.!default { type pulse ${EFFECTS_SINK:+device $EFFECTS_SINK} }" ;;
      nodefault) ;;
      *) echo "use_alsa_route: unknown route $1" >&2; return 1 ;;
    esac
  } > "$conf"
  export ALSA_CONFIG_PATH="$conf"
}
