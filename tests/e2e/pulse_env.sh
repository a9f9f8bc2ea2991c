# Sourced by the real-sound scripts: a private PulseAudio daemon with one null sink named
# "nullsink" (the default), ALSA's default PCM routed to it, and a low-latency recording of
# its monitor running. Works as root (CI) and as a user. Defines start_pulse, stop_pulse,
# start_recording FILE, stop_recording.
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
    --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix \
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
