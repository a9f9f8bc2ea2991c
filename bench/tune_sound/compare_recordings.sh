#!/usr/bin/env bash
# Compares two recordings of the tune (record_tune.sh) over the same stretch of music:
#   - the level of each octave band, whole and per band (sox stats, RMS of the mono mix);
#   - the 100 ms loudness envelope, point by point (median, 95th percentile and largest
#     difference in dB), which shows dropouts, missing notes or changed dynamics;
#   - a spectrogram of the first 12 s of the stretch of each, A.png and B.png.
# B is first aligned on A (10 ms envelopes, ±3 s). Renderings that differ in timing by a
# few ms do not cancel sample by sample, so levels and envelopes are compared instead.
#
#   bench/tune_sound/compare_recordings.sh A.wav B.wav [start-s] [length-s] [out-dir]
set -euo pipefail
a=$1 b=$2 start=${3:-15} length=${4:-40} dir=${5:-.}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
envelope() {  # file window-frames: RMS in dBFS per window of the mono mix, one a line
  sox "$1" -t raw -e signed -b 16 -r 44100 -c 1 - | python3 -c '
import array, math, sys
w = int(sys.argv[1]); s = array.array("h"); s.frombytes(sys.stdin.buffer.read())
for i in range(0, len(s) - w, w):
    print(10 * math.log10(sum(x * x for x in s[i:i + w]) / w / 32768**2 + 1e-12))' "$2"
}
envelope "$a" 441 > "$work/a10"
envelope "$b" 441 > "$work/b10"
lag=$(python3 - "$work/a10" "$work/b10" "$start" "$length" <<'PY'
import sys
a = [float(x) for x in open(sys.argv[1])]; b = [float(x) for x in open(sys.argv[2])]
lo = int(float(sys.argv[3]) * 100); hi = lo + int(float(sys.argv[4]) * 100)
def cost(lag): return sum(abs(a[i] - b[i + lag]) for i in range(lo, hi, 3) if 0 <= i + lag < len(b))
print(min(range(-300, 301), key=cost) / 100)
PY
)
echo "B aligned on A: B's stretch starts ${lag} s later"
mkdir -p "$dir"
sox "$a" "$work/A.wav" trim "$start" "$length"
sox "$b" "$work/B.wav" trim "$(awk -v s="$start" -v l="$lag" 'BEGIN { print s + l }')" "$length"
rms() { sox "$1" -n remix - "${@:2}" stats 2>&1 | awk '/RMS lev dB/ {print $4}'; }
printf '%-10s %8s %8s %7s\n' "band (Hz)" "A dBFS" "B dBFS" "B-A"
for band in all 31-63 63-125 125-250 250-500 500-1000 1000-2000 2000-4000 4000-8000 \
            8000-11000 11000-16000 16000-21000; do
  if [ "$band" = all ]; then fx=(); else fx=(sinc "$band"); fi
  level_a=$(rms "$work/A.wav" "${fx[@]}")
  level_b=$(rms "$work/B.wav" "${fx[@]}")
  awk -v n="$band" -v a="$level_a" -v b="$level_b" \
    'BEGIN { printf "%-10s %8.2f %8.2f %7.2f\n", n, a, b, b - a }'
done
envelope "$work/A.wav" 4410 > "$work/a100"
envelope "$work/B.wav" 4410 > "$work/b100"
paste "$work/a100" "$work/b100" | python3 -c '
import sys
pairs = [(float(x), float(y)) for x, y in (l.split() for l in sys.stdin)]
d = sorted(abs(x - y) for x, y in pairs if max(x, y) > -60)  # not where both are silent
print(f"100 ms envelope over {len(d)} windows: |B-A| median {d[len(d) // 2]:.2f} dB, "
      f"95th percentile {d[int(len(d) * 0.95)]:.2f} dB, largest {d[-1]:.2f} dB")'
# Where the music stops: the last sample above 1/1000 of full scale, B's taken back by the lag.
last_sound() {
  sox "$1" "$work/trimmed.wav" reverse silence 1 0.001 0.1%
  soxi -D "$work/trimmed.wav"
}
end_a=$(last_sound "$a")
end_b=$(last_sound "$b")
awk -v a="$end_a" -v b="$end_b" -v l="$lag" \
  'BEGIN { printf "last sound: A at %.2f s, B at %.2f s; B ends %+.2f s from A\n", a, b, b - l - a }'
for x in A B; do
  sox "$work/$x.wav" -n remix - trim 0 12 spectrogram -x 900 -y 300 -z 100 -t "$x" -o "$dir/$x.png"
done
echo "spectrograms: $dir/A.png $dir/B.png"
