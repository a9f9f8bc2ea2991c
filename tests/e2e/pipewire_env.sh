# Sourced (by bash) by the real-sound scripts that play into PipeWire instead of PulseAudio:
# a private PipeWire daemon with one null sink named "nullsink", its session manager
# (WirePlumber, on a private D-Bus session bus) and pipewire-pulse, all in the private
# XDG_RUNTIME_DIR that pulse_env.sh makes. The recording helpers of pulse_env.sh work
# unchanged (parec reaches the sink's monitor through pipewire-pulse), and so does
# use_alsa_route, whose "pipewire" route needs the plug-in found here.
#
#   need_pipewire_tools    skips (exit 77) when PipeWire, WirePlumber, pipewire-pulse, a
#                          D-Bus daemon or the extracted ALSA plug-in is missing.
#   start_server           starts the daemons (with the system's ALSA configuration) and
#                          waits until the null sink is the default one (and a
#                          second one named EXTRA_SINK, when that is set).
#   kill_server            kills them at once, as a crash or a restart of the user's
#                          services would.
#   stop_server            kill_server, the recording, the D-Bus bus and the folder.
#
# PipeWire's ALSA plug-in (package pipewire-alsa) conflicts with the pulseaudio package that
# the PulseAudio checks need, so it is not installed: tools/quickstart.sh test unpacks it
# into build/pipewire-alsa, or PIPEWIRE_ALSA_DIR names the folder it was unpacked into.
HERE_PW=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$HERE_PW/pulse_env.sh"

PIPEWIRE_ALSA_DIR=${PIPEWIRE_ALSA_DIR:-$HERE_PW/../../build/pipewire-alsa}
PW_PLUGIN=$(ls "$PIPEWIRE_ALSA_DIR"/usr/lib/*/alsa-lib/libasound_module_pcm_pipewire.so 2> /dev/null | head -1)
PW_PIDS=()
DBUS_PID=

need_pipewire_tools() {
  for tool in pipewire wireplumber pipewire-pulse dbus-daemon; do
    if ! command -v "$tool" > /dev/null 2>&1; then
      echo "SKIP: $tool is not installed (packages pipewire, wireplumber, pipewire-pulse, dbus-daemon)"
      exit 77
    fi
  done
  if [ -z "$PW_PLUGIN" ]; then
    echo "SKIP: PipeWire's ALSA plug-in is not unpacked in $PIPEWIRE_ALSA_DIR (tools/quickstart.sh test does it)"
    exit 77
  fi
  need_client_tools
}

start_server() {
  mkdir -p "$HOME/.config/pipewire/pipewire.conf.d"
  local sink
  {
    echo "context.objects = ["
    for sink in nullsink ${EXTRA_SINK:-}; do
      echo "  { factory = adapter args = { factory.name = support.null-audio-sink node.name = \"$sink\""
      echo "    media.class = \"Audio/Sink\" object.linger = true audio.position = [ FL FR ] } }"
    done
    echo "]"
  } > "$HOME/.config/pipewire/pipewire.conf.d/90-nullsink.conf"
  # WirePlumber leaves at once without a session bus.
  if [ -z "$DBUS_PID" ]; then
    DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --address="unix:path=$XDG_RUNTIME_DIR/bus" \
      --print-address=1 --print-pid=3 3> "$PULSE_WORK/dbus.pid") || { echo "FAIL: no D-Bus session bus"; exit 1; }
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_PID=$(cat "$PULSE_WORK/dbus.pid")
  fi
  env -u ALSA_CONFIG_PATH pipewire >> "$PULSE_WORK/pipewire.log" 2>&1 &
  PW_PIDS=($!)
  # WirePlumber gives up at once when the daemon's socket is not there yet.
  local tries=0
  until [ -S "$XDG_RUNTIME_DIR/pipewire-0" ]; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || { echo "FAIL: PipeWire did not start"; tail "$PULSE_WORK/pipewire.log"; exit 1; }
    sleep 0.1
  done
  env -u ALSA_CONFIG_PATH wireplumber >> "$PULSE_WORK/wireplumber.log" 2>&1 &
  PW_PIDS+=($!)
  env -u ALSA_CONFIG_PATH pipewire-pulse >> "$PULSE_WORK/pipewire-pulse.log" 2>&1 &
  PW_PIDS+=($!)
  # Ready once WirePlumber takes "nullsink" as the default sink: a stream that appears
  # before its policy runs may never be linked (a recording that never starts).
  tries=0
  until pactl info 2> /dev/null | grep -q "^Default Sink: nullsink"; do
    if ! kill -0 "${PW_PIDS[1]}" 2> /dev/null; then  # it came too early after all
      env -u ALSA_CONFIG_PATH wireplumber >> "$PULSE_WORK/wireplumber.log" 2>&1 &
      PW_PIDS[1]=$!
    fi
    pactl set-default-sink nullsink > /dev/null 2>&1
    tries=$((tries + 1))
    [ $tries -lt 100 ] || { echo "FAIL: PipeWire's null sink did not appear"; tail "$PULSE_WORK"/*.log; exit 1; }
    sleep 0.1
  done
}

kill_server() {
  [ ${#PW_PIDS[@]} -gt 0 ] || return 0
  kill -9 "${PW_PIDS[@]}" 2> /dev/null
  wait "${PW_PIDS[@]}" 2> /dev/null
  PW_PIDS=()
  # A killed daemon leaves its socket behind, which would look like a started one.
  rm -f "$XDG_RUNTIME_DIR/pipewire-0" "$XDG_RUNTIME_DIR/pipewire-0.lock"
}

stop_server() {
  stop_recording
  kill_server
  [ -n "$DBUS_PID" ] && kill "$DBUS_PID" 2> /dev/null
  DBUS_PID=
  rm -rf "$PULSE_WORK"
}
