#!/usr/bin/env bash
# The CPU of two builds of the game while the title tune plays, compared fairly: the first
# window of measure_idle_cpu.sh with real sound ("title screen, tune playing", 10 s), taken
# for each build in turn, PAIRS times. Two single runs of one build differ by up to 1.3 % of
# a core on a 2-core VM, so only the means and medians of alternating runs say which build
# costs less. Prints each run, then per build the mean, the median and the runs at or below
# the 3 % goal. Needs what measure_idle_cpu.sh needs with "pulse".
#
#   bench/idle_cpu/compare_builds.sh BEFORE/bin/pomuri AFTER/bin/pomuri [PAIRS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
before=$(realpath "$1")
after=$(realpath "$2")
pairs=${3:-10}
for program in "$before" "$after"; do
  [ -f "$program" ] && [ -x "$program" ] || { echo "no game program at $program" >&2; exit 2; }
done
results=$(mktemp)
trap 'rm -f "$results"' EXIT
for ((i = 1; i <= pairs; ++i)); do
  for build in before after; do
    program=$before
    [ "$build" = before ] || program=$after
    # The game's own lines on stderr (which device it plays through) are left out.
    figure=$(FIRST_WINDOW_ONLY=1 "$here/measure_idle_cpu.sh" "$program" 10 pulse 2> /dev/null |
             awk '/tune playing/ { print $5 }')
    [ -n "$figure" ] || { echo "no figure from $program (run measure_idle_cpu.sh by hand)" >&2; exit 1; }
    echo "$build $figure" | tee -a "$results"
  done
done
sort -k1,1 -k2,2n "$results" | awk '
  { values[$1, ++count[$1]] = $2; sum[$1] += $2; if ($2 <= 3.0) met[$1]++ }
  END {
    for (build in count) {
      n = count[build]
      median = n % 2 ? values[build, (n + 1) / 2] : (values[build, n / 2] + values[build, n / 2 + 1]) / 2
      printf "%-6s %2d runs: mean %.2f %%, median %.2f %%, %d at or below 3 %%\n",
             build, n, sum[build] / n, median, met[build] + 0
    }
  }'
